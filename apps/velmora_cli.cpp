// Command line of the print library: what a model or document file holds, the
// printers, and the registration of the component.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <optional>

#include "Errore.h"
#include "FinestraCli.h"
#include "ModelloStampa.h"
#include "Printer.h"
#include "Prompter.h"
#include "clsModStampa.h"

namespace {

void err(const QString& s) {
    std::fprintf(stderr, "%s\n", s.toLocal8Bit().constData());
}
void out(const QString& s) {
    std::fprintf(stdout, "%s\n", s.toUtf8().constData());
}

int usage() {
    err(
        QStringLiteral("Uso: velmora render FILE.VLM|FILE.DSS --out PATH [--format png|pdf] "
                       "[--dpi N] [--page N]\n"
                       "     velmora info FILE.VLM|FILE.DSS [--json]\n"
                       "     velmora preview FILE | velmora design [FILE]\n"
                       "     velmora printers\n"
                       "     velmora register | velmora unregister"));
    return 2;
}

QString libraryPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libvelmora.so");
}

int registration(bool add) {
    const QString path = libraryPath();
    void* h = ::dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!h) {
        err(QStringLiteral("velmora: impossibile caricare la libreria \"%1\"").arg(path));
        return 1;
    }
    auto f = reinterpret_cast<int32_t (*)()>(
        ::dlsym(h, add ? "DllRegisterServer" : "DllUnregisterServer"));
    const int32_t hr = f ? f() : -1;
    ::dlclose(h);
    if (hr < 0) {
        err(QStringLiteral("velmora: %1 non riuscita (codice 0x%2)")
                .arg(add ? QStringLiteral("registrazione") : QStringLiteral("rimozione"))
                .arg(static_cast<uint32_t>(hr), 8, 16, QLatin1Char('0')));
        return 1;
    }
    out(add ? QStringLiteral("Registrata: %1").arg(path)
            : QStringLiteral("Rimossa la registrazione di %1").arg(path));
    return 0;
}

int printers() {
    const QString current = platform::Printer::defaultPrinterName();
    for (const QString& name : platform::Printer::availablePrinterNames())
        out((name == current ? QStringLiteral("* ") : QStringLiteral("  ")) + name);
    return 0;
}

QJsonValue headerValue(const velmora::modello::Intestazione& h, int k) {
    const auto& a = h.attributi;
    switch (k) {
        case 0:
            return h.PaperSize;
        case 1:
            return h.Orientamento;
        case 2:
            return h.PrintyQuality;
        case 3:
            return a.tipo_camp_Sup;
        case 4:
            return a.col_camp_Sup;
        case 5:
            return a.col_contorno_Sup;
        case 6:
            return static_cast<double>(a.spes_contorno_Sup);
        case 7:
            return a.tipo_contorno_Sup;
        case 8:
            return a.col_Linea;
        case 9:
            return a.tipo_Linea;
        case 10:
            return static_cast<double>(a.spes_Linea);
        case 11:
            return a.CarattereTesto_gen;
        case 12:
            return a.DimensTesto_gen;
        case 13:
            return a.BoldTesto_gen;
        case 14:
            return a.CorsivoTesto_gen;
        case 15:
            return a.BarratoTesto_gen;
        case 16:
            return a.SottolineatoTesto_gen;
        case 17:
            return a.ColoreTesto_gen;
        case 18:
            return a.OpacoTesto_gen;
        default:
            return a.ColoreOpacoTesto_gen;
    }
}

int info(const QString& path, bool json) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("velmora: impossibile leggere il file \"%1\": %2")
                .arg(path, f.errorString()));
        return 1;
    }
    const QByteArray bytes = f.readAll();
    const QStringList righe = velmora::modello::righeIntestazione(bytes);
    f.close();

    // The header as written, key by key.
    using namespace velmora::modello;
    Intestazione h;
    QList<bool> found(chiaviIntestazione().size(), false);
    QStringList refused;
    leggiIntestazione(righe, [&](int k, const QString& v) {
        try {
            assegna(h, k, v);
            found[k] = true;
        } catch (const velmora::Errore&) {
            refused << chiaviIntestazione()[k] + v;
        }
    });
    const Voci voci = leggiVoci(bytes);
    if (!found.contains(true) && voci.voci.isEmpty()) {
        err(QStringLiteral("velmora: il file \"%1\" non è un modello né un documento di stampa")
                .arg(path));
        return 1;
    }
    if (voci.troncato) {
        err(QStringLiteral("velmora: il file \"%1\" è troncato: termina prima dell'ultimo comando")
                .arg(path));
        return 1;
    }
    if (found.contains(false) || !refused.isEmpty() || voci.incomplete > 0)
        err(QStringLiteral("velmora: attenzione: il file \"%1\" è di un'altra versione o ha voci "
                           "incomplete; si legge quello che contiene")
                .arg(path));

    // The pages as the engine reads them (unknown command names are dropped with their message).
    velmora::clsModStampa::Servizi s;
    s.printerName = platform::Printer::pdfPrinterName();
    auto* job = new velmora::clsModStampa(s);
    job->NomeDocumento = QFileInfo(path).absoluteFilePath();
    job->leggiModello();

    const QStringList& keys = chiaviIntestazione();
    if (json) {
        QJsonObject o;
        o.insert(QStringLiteral("file"), path);
        for (int k = 0; k < keys.size(); ++k) {
            QString name = keys[k].mid(1, keys[k].size() - 3);
            o.insert(name, found[k] ? headerValue(h, k) : QJsonValue());
        }
        QJsonArray pages;
        if (job->Pagine()) {
            for (const auto& p : *job->Pagine()) {
                QJsonArray commands;
                for (const auto& c : p->Comandi())
                    commands.append(QJsonObject{{QStringLiteral("name"), c->NomeComando},
                                                {QStringLiteral("spec"), c->StringaComando}});
                pages.append(QJsonObject{{QStringLiteral("commands"), commands}});
            }
        }
        o.insert(QStringLiteral("pages"), pages);
        std::fputs(QJsonDocument(o).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        out(QStringLiteral("File: %1").arg(path));
        for (int k = 0; k < keys.size(); ++k) {
            QJsonValue v = headerValue(h, k);
            QString text = !found[k]             ? QStringLiteral("(assente)")
                           : v.isBool()          ? (v.toBool() ? "True" : "False")
                           : v.isString()        ? v.toString()
                           : (k == 6 || k == 10) ? QString::number(v.toDouble(), 'g', 7)
                                                 : QString::number(v.toInt());
            out(keys[k] + QLatin1Char(' ') + text);
        }
        const int n = job->PagineTotAnteprima();
        out(QStringLiteral("Pagine: %1").arg(n));
        for (int i = 0; i < n; ++i) {
            const auto& c = (*job->Pagine())[i]->Comandi();
            out(QStringLiteral("Pagina %1: %2 comandi").arg(i + 1).arg(c.size()));
            for (const auto& cmd : c) {
                QString spec = cmd->StringaComando;
                spec.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
                out(QStringLiteral("  %1  %2").arg(cmd->NomeComando, spec));
            }
        }
    }
    job->Release();
    return 0;
}

// Options of render, each with its value as the next argument or after "=".
struct OpzioniRender {
    QString file, out, format;
    int dpi = 150;
    int page = 0;  // 0 = all
};

// A whole number written with "," or "." (no fraction); nothing otherwise.
std::optional<int> intero(const QString& text) {
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || d != std::floor(d) || std::abs(d) > 1e9) return std::nullopt;
    return static_cast<int>(d);
}

std::optional<OpzioniRender> opzioniRender(const QStringList& args) {
    OpzioniRender o;
    for (int i = 1; i < args.size(); ++i) {
        QString a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            if (!o.file.isEmpty()) return std::nullopt;
            o.file = a;
            continue;
        }
        QString value;
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = a.mid(eq + 1);
            a = a.left(eq);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return std::nullopt;
        }
        if (a == QLatin1String("--out")) {
            o.out = value;
        } else if (a == QLatin1String("--format")) {
            o.format = value.toLower();
            if (o.format != QLatin1String("png") && o.format != QLatin1String("pdf"))
                return std::nullopt;
        } else if (a == QLatin1String("--dpi")) {
            const auto n = intero(value);
            if (!n || *n < 10 || *n > 2400) return std::nullopt;
            o.dpi = *n;
        } else if (a == QLatin1String("--page")) {
            const auto n = intero(value);
            if (!n || *n < 1) return std::nullopt;
            o.page = *n;
        } else {
            return std::nullopt;
        }
    }
    if (o.file.isEmpty() || o.out.isEmpty()) return std::nullopt;
    // Without a format the name of the output tells it.
    if (o.format.isEmpty())
        o.format = o.out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
                       ? QStringLiteral("pdf")
                       : QStringLiteral("png");
    return o;
}

// Page n of a PNG set: "-n" before the extension.
QString pathPagina(const QString& out, int n) {
    const QFileInfo fi(out);
    const QString suffix = fi.suffix().isEmpty() ? QStringLiteral("png") : fi.suffix();
    const QString dir = fi.path() == QLatin1String(".") && !out.startsWith(QLatin1String("./"))
                            ? QString()
                            : fi.path() + QLatin1Char('/');
    return dir + fi.completeBaseName() + QLatin1Char('-') + QString::number(n) + QLatin1Char('.') +
           suffix;
}

int render(const OpzioniRender& o) {
    QFile f(o.file);
    if (!f.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("velmora: impossibile leggere il file \"%1\": %2")
                .arg(o.file, f.errorString()));
        return 1;
    }
    const QByteArray bytes = f.readAll();
    f.close();
    const velmora::modello::Voci voci = velmora::modello::leggiVoci(bytes);
    const int chiavi = velmora::modello::leggiIntestazione(
        velmora::modello::righeIntestazione(bytes), [](int, const QString&) {});
    if (chiavi == 0 && voci.voci.isEmpty()) {
        err(QStringLiteral("velmora: il file \"%1\" non è un modello né un documento di stampa")
                .arg(o.file));
        return 1;
    }
    if (voci.troncato) {
        err(QStringLiteral("velmora: il file \"%1\" è troncato: termina prima dell'ultimo comando")
                .arg(o.file));
        return 1;
    }

    if (chiavi < velmora::modello::chiaviIntestazione().size() || voci.incomplete > 0)
        err(QStringLiteral("velmora: attenzione: il file \"%1\" è di un'altra versione o ha voci "
                           "incomplete; si legge quello che contiene")
                .arg(o.file));

    const bool pdf = o.format == QLatin1String("pdf");
    velmora::clsModStampa::Servizi s;
    s.printerName =
        pdf ? platform::Printer::pdfPrinterName() : platform::Printer::rasterPrinterName();
    auto* job = new velmora::clsModStampa(s);
    struct Rilascio {
        velmora::clsModStampa* j;
        ~Rilascio() { j->Release(); }
    } rilascio{job};
    job->NomeDocumento = QFileInfo(o.file).absoluteFilePath();
    // The header sets paper and orientation of the printer.
    job->leggiModello();
    platform::Printer& p = job->printer();
    if (!pdf) p.setResolution(o.dpi);

    const int n = job->PagineTotAnteprima();
    if (o.page > n) {
        err(QStringLiteral("velmora: il file \"%1\" ha %2 pagine: la pagina %3 non esiste")
                .arg(o.file)
                .arg(n)
                .arg(o.page));
        return 1;
    }
    QString outPdf;
    if (pdf) {
        outPdf = QFileInfo(o.out).absoluteFilePath();
        // Written beside and renamed over: a failed render keeps an older file whole.
        p.setOutputFile(outPdf + QStringLiteral(".part"));
    }
    if (!p.beginDoc()) {
        err(QStringLiteral("velmora: %1").arg(p.lastError()));
        return 1;
    }
    const int prima = o.page > 0 ? o.page : 1;
    const int ultima = o.page > 0 ? o.page : n;
    for (int i = prima; i <= ultima; ++i) {
        if (i > prima && !p.newPage()) {
            err(QStringLiteral("velmora: %1").arg(p.lastError()));
            p.killDoc();
            return 1;
        }
        job->StampaPagina(i);
    }
    if (!p.endDoc()) {
        err(QStringLiteral("velmora: %1").arg(p.lastError()));
        if (pdf) QFile::remove(outPdf + QStringLiteral(".part"));
        return 1;
    }
    if (pdf) {
        QFile::remove(outPdf);
        if (!QFile::rename(outPdf + QStringLiteral(".part"), outPdf)) {
            QFile::remove(outPdf + QStringLiteral(".part"));
            err(QStringLiteral("velmora: impossibile scrivere il file \"%1\"").arg(o.out));
            return 1;
        }
        out(outPdf);
        return 0;
    }
    const QList<QImage>& pagine = p.rasterPages();
    for (int k = 0; k < pagine.size(); ++k) {
        const QString path = o.page > 0 ? o.out : pathPagina(o.out, prima + k);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !pagine[k].save(&file, "PNG") || !file.commit()) {
            err(QStringLiteral("velmora: impossibile scrivere il file \"%1\"").arg(path));
            return 1;
        }
        out(path);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The window needs a widget application and a screen of its own.
    if (argc > 1 && (qstrcmp(argv[1], "preview") == 0 || qstrcmp(argv[1], "design") == 0))
        return velmora::anteprima::comandoFinestra(argc, argv);
    // Printers and fonts need a GUI application; without a display it runs off screen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage();
    const QString cmd = args[0];
    if (cmd == QLatin1String("register") && args.size() == 1) return registration(true);
    if (cmd == QLatin1String("unregister") && args.size() == 1) return registration(false);
    if (cmd == QLatin1String("printers") && args.size() == 1) return printers();
    if (cmd == QLatin1String("render")) {
        const auto o = opzioniRender(args);
        if (!o) return usage();
        return render(*o);
    }
    if (cmd == QLatin1String("info")) {
        QString file;
        bool json = false;
        for (int i = 1; i < args.size(); ++i) {
            if (args[i] == QLatin1String("--json"))
                json = true;
            else if (args[i].startsWith(QLatin1String("--")))
                return usage();
            else if (file.isEmpty())
                file = args[i];
            else
                return usage();
        }
        if (file.isEmpty()) return usage();
        return info(file, json);
    }
    return usage();
}
