// Thousands of mutated model files and specification strings, from fixed
// seeds: nothing crashes or hangs, failures come out as the engine reports them.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

#include "Errore.h"
#include "ModelloStampa.h"
#include "Printer.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "ValoriComando.h"
#include "clsModStampa.h"

using namespace velmora;

namespace {
// Answers every prompt at once: input boxes with a fixed sequence that ends in Cancel.
class QuietPrompter : public platform::ConsolePrompter {
public:
    std::mt19937* rng = nullptr;
    int messages = 0;
    int inputs = 0;
    QString last;
    int message(const QString& text, int style, const QString&) override {
        ++messages;
        last = text;
        return platform::defaultButtonOf(style);
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        ++inputs;
        switch ((*rng)() % 4) {
            case 0:
                return QStringLiteral("Linea");
            case 1:
                return QStringLiteral("ancora sconosciuto");
            case 2:
                return QString();
            default:
                return std::nullopt;
        }
    }
};

QByteArray baseFile() {
    QByteArray h =
        "[PaperSize]:9\r\n[Orientamento]:1\r\n[PrintyQuality]:-4\r\n[tipo_camp_Sup]:7\r\n"
        "[col_camp_Sup]:0\r\n[col_contorno_Sup]:255\r\n[spes_contorno_Sup]:0.5\r\n"
        "[tipo_contorno_Sup]:0\r\n[col_Linea]:0\r\n[tipo_Linea]:1\r\n[spes_Linea]:0,250\r\n"
        "[CarattereTesto_gen]:Arial\r\n[DimensTesto_gen]:10\r\n[BoldTesto_gen]:True\r\n"
        "[CorsivoTesto_gen]:False\r\n[BarratoTesto_gen]:False\r\n"
        "[SottolineatoTesto_gen]:False\r\n[ColoreTesto_gen]:0\r\n[OpacoTesto_gen]:False\r\n"
        "[ColoreOpacoTesto_gen]:16777215\r\n";
    const char* names[] = {"Linea",   "Testo",   "Label",         "New Page",
                           "Cerchio", "Freccia", "Campo Cliente", "Testo Esteso"};
    for (int i = 0; i < 24; ++i) {
        h += "OGGETTO  : \r\n";
        h += names[i % 8];
        h += "\r\nSPECIFICA: \r\n";
        if (QByteArray(names[i % 8]) != "New Page")
            h += "|x1=" + QByteArray::number(i) +
                 ",00|y1=5|Testo=a\x1Fr\x1Fnb \x1Fu00E8|Col=16.711.680|";
        h += "\r\n";
    }
    return h;
}

QByteArray mutate(QByteArray b, std::mt19937& rng) {
    static const QByteArray pieces[] = {"\r\n",
                                        "OGGETTO",
                                        "SPECIFICA",
                                        "\x1F",
                                        "\x1Fu",
                                        "New Page",
                                        "|",
                                        "[PaperSize]:",
                                        "\r",
                                        "\n",
                                        QByteArray(1, '\0'),
                                        "\x1Fu12",
                                        "[ColoreOpacoTesto_gen]:"};
    const int n = 1 + static_cast<int>(rng() % 6);
    for (int k = 0; k < n && !b.isEmpty(); ++k) {
        const qsizetype at = static_cast<qsizetype>(rng() % static_cast<uint32_t>(b.size()));
        switch (rng() % 6) {
            case 0:
                b[at] = static_cast<char>(rng() & 0xFF);
                break;
            case 1:
                b.insert(at, pieces[rng() % std::size(pieces)]);
                break;
            case 2:
                b.remove(at, 1 + static_cast<qsizetype>(rng() % 40));
                break;
            case 3:
                b.truncate(at);
                break;
            case 4:
                b.insert(at, b.mid(at, static_cast<qsizetype>(rng() % 200)));
                break;
            default:
                b.insert(at, QByteArray(static_cast<qsizetype>(rng() % 8),
                                        static_cast<char>(rng() & 0xFF)));
                break;
        }
    }
    return b;
}

QList<QPair<QString, QString>> snapshot(const clsModStampa& j) {
    QList<QPair<QString, QString>> r;
    if (!j.Pagine()) return r;
    for (const auto& p : *j.Pagine()) {
        r << qMakePair(QStringLiteral("--page--"), QString());
        for (const auto& c : p->Comandi()) r << qMakePair(c->NomeComando, c->StringaComando);
    }
    return r;
}
}  // namespace

TEST(CoreFuzz, MutatedModelFiles) {
    // Thousands of files: in memory-backed storage where the system has it.
    QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                          ? QStringLiteral("/dev/shm/velmora-fuzz-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/velmora-fuzz-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    std::mt19937 rng(20261211);
    QuietPrompter prompter;
    prompter.rng = &rng;
    platform::MemorySettingsStore settings;
    clsModStampa::Servizi s;
    s.prompter = &prompter;
    s.settings = &settings;
    s.printerName = platform::Printer::rasterPrinterName();
    auto* job = new clsModStampa(s);
    auto* other = new clsModStampa(s);
    const QByteArray base = baseFile();
    const QString path = dir.filePath("f.VLM");
    const QString copy = dir.filePath("g.VLM");
    for (int i = 0; i < 2500; ++i) {
        const QByteArray bytes = mutate(base, rng);
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        job->NomeDocumento = path;
        const int before = prompter.messages;
        job->leggiModello();
        // A file cut inside its last entry is read as far as it goes and reported once.
        if (modello::leggiVoci(bytes).troncato) {
            ASSERT_EQ(prompter.messages, before + 1) << i;
            ASSERT_TRUE(
                prompter.last.startsWith("Errore nella lettura del Modello di Stampa.\nFase: "))
                << i;
        }
        ASSERT_NE(job->Pagine(), nullptr);
        for (const auto& p : *job->Pagine())
            for (const auto& c : p->Comandi()) ASSERT_TRUE(ComandoValido(c->NomeComando)) << i;

        // Whatever was read is written and read back the same: in memory each time,
        // through the files (a safe save syncs the disk) now and then.
        {
            modello::Intestazione h;
            const auto voci = modello::leggiVoci(modello::scrivi(h, *job->Pagine()));
            qsizetype k = 0;
            for (const auto& p : *job->Pagine()) {
                for (const auto& c : p->Comandi()) {
                    ASSERT_LT(k, voci.voci.size());
                    ASSERT_EQ(voci.voci[k].nome, c->NomeComando);
                    ASSERT_EQ(voci.voci[k].specifica.value_or(QString()), c->StringaComando);
                    ++k;
                }
            }
            ASSERT_EQ(k, voci.voci.size());
        }
        if (i % 50 == 0) {
            job->NomeDocumento = copy;
            job->salvaModello();
            other->NomeDocumento = copy;
            other->leggiModello();
            const auto a = snapshot(*other), b = snapshot(*job);
            qsizetype d = 0;
            while (d < a.size() && d < b.size() && a[d] == b[d]) ++d;
            ASSERT_EQ(a.size(), b.size()) << "step " << i << " differs at " << d;
            ASSERT_TRUE(a == b) << "step " << i << " at " << d << ": " << a[d].first.toStdString()
                                << " / " << a[d].second.toStdString() << " vs "
                                << b[d].first.toStdString() << " / " << b[d].second.toStdString();
            ASSERT_EQ(other->stato().attributi.CarattereTesto_gen,
                      job->stato().attributi.CarattereTesto_gen);
        }
    }
    EXPECT_GT(prompter.inputs, 0);
    EXPECT_GT(prompter.messages, 0);
    job->Release();
    other->Release();
}

TEST(CoreFuzz, MutatedSpecificationStrings) {
    std::mt19937 rng(42);
    static const QString pieces[] = {
        "|",           "=",           "x1=",
        "|x1=",        "Col=",        "ColoreOpaco=",
        "Opaco=",      "16.711.680",  "16 711 680",
        "Vero",        "Falso",       "True",
        ",",           ".",           "-",
        "1e40",        "99999999999", " ",
        "\r\n",        "è",           QString(QChar(0xD800)),
        "0",           "7",           "NCar=",
        "NCaratteri=", "Testo=",
    };
    static const QString keys[] = {
        "x1=", "|x1=", "Col=", "Opaco=", "NCar=", "Testo=", "=", "|", "", "x1=|", "|Col=|x"};
    int found = 0;
    for (int i = 0; i < 20000; ++i) {
        QString spec;
        const int n = static_cast<int>(rng() % 12);
        for (int k = 0; k < n; ++k) spec += pieces[rng() % std::size(pieces)];
        const QString key = keys[rng() % std::size(keys)];
        const std::optional<QString> v = Estrai_Valore(key, spec);
        if (v) {
            ++found;
            ASSERT_FALSE(v->contains(QLatin1Char('|'))) << spec.toStdString();
            const qsizetype p = spec.indexOf(key);
            ASSERT_GE(p, 0);
            const QString raw =
                spec.mid(p + key.size(), spec.indexOf('|', p + key.size()) - p - key.size());
            const bool normalised =
                raw == "Vero" || raw == "Falso" || raw == "16.711.680" || raw == "16 711 680";
            if (!normalised) ASSERT_EQ(*v, raw) << spec.toStdString();
        }
        // Typed readings either give a value or fail with the engine's error.
        try {
            switch (i % 6) {
                case 0:
                    specifica::numero(key, spec);
                    break;
                case 1:
                    specifica::intero16(key, spec);
                    break;
                case 2:
                    specifica::intero32(key, spec);
                    break;
                case 3:
                    specifica::booleano(key, spec);
                    break;
                case 4:
                    specifica::colore(key, spec);
                    break;
                default:
                    specifica::segnaposto(spec, v.value_or(QString()));
                    break;
            }
        } catch (const Errore& e) {
            ASSERT_TRUE(e.numero() == ErrTipo || e.numero() == ErrOverflow) << e.numero();
        }
    }
    EXPECT_GT(found, 1000);
}
