#include "ReportCommand.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "Prompter.h"
#include "Report.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "StampaAnalisi.h"
#include "sovraccarichi.h"

namespace {

// The command opens nothing on the desktop.
class NoShell : public platform::Shell {
public:
    int open(const QString&, const QString&, int) override { return platform::SE_ERR_NOASSOC; }
};

int usage(QTextStream& err, const QString& why) {
    err << "tessaro report: " << why << "\n"
        << "uso: tessaro report FILE.TSR [--json]\n";
    err.flush();
    return 2;
}

// Reads the file into a window that is never shown, as the window reads it.
// Returns 0 when the whole file was read (a file of another version is read
// after its warning), else the exit status after the message naming the file.
int leggiAnalisi(const QString& command, const QString& path, sovraccarichi& window,
                 QTextStream& err) {
    window.ModifDatiCarichi = 0;
    err.flush();
    const sovraccarichi::Apertura result = window.apriAnalisi(path);
    window.ModifDatiCarichi = 0;
    if (result == sovraccarichi::Apertura::Letta) return 0;
    if (result == sovraccarichi::Apertura::Danneggiata)
        err << "tessaro " << command << ": il file \"" << path
            << "\" è danneggiato o troncato e non è stato letto per intero.\n";
    err.flush();
    return 1;
}

}  // namespace

int runReportCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    bool json = false;
    QString path;
    for (const QString& a : args) {
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage(err, QStringLiteral("opzione sconosciuta %1").arg(a));
        } else if (path.isEmpty()) {
            path = a;
        } else {
            return usage(err, QStringLiteral("un solo file per volta"));
        }
    }
    if (path.isEmpty()) return usage(err, QStringLiteral("manca il file da leggere"));

    // The user's own placement settings are neither read nor written.
    platform::MemorySettingsStore settings;
    platform::ConsolePrompter prompter;
    NoShell shell;
    sovraccarichi window(settings, prompter, shell);
    if (const int status = leggiAnalisi(QStringLiteral("report"), path, window, err)) return status;

    const QStringList lines = reportLines(buildReport(window.dati));
    if (json) {
        QJsonObject o;
        o.insert(QStringLiteral("lines"), QJsonArray::fromStringList(lines));
        out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << "\n";
    } else {
        for (const QString& l : lines) out << l << "\n";
    }
    out.flush();
    return 0;
}

int runPrintCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    auto usagePrint = [&](const QString& why) {
        err << "tessaro print: " << why << "\n"
            << "uso: tessaro print FILE.TSR --pdf OUT.pdf\n";
        err.flush();
        return 2;
    };
    QString path, pdf;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--pdf")) {
            if (i + 1 >= args.size())
                return usagePrint(QStringLiteral("manca il file PDF dopo --pdf"));
            pdf = args[++i];
        } else if (a.startsWith(QLatin1String("--pdf="))) {
            pdf = a.mid(6);
        } else if (a.startsWith(QLatin1String("--"))) {
            return usagePrint(QStringLiteral("opzione sconosciuta %1").arg(a));
        } else if (path.isEmpty()) {
            path = a;
        } else {
            return usagePrint(QStringLiteral("un solo file per volta"));
        }
    }
    if (path.isEmpty()) return usagePrint(QStringLiteral("manca il file da stampare"));
    if (pdf.isEmpty()) return usagePrint(QStringLiteral("manca --pdf OUT.pdf"));

    platform::MemorySettingsStore settings;
    platform::ConsolePrompter prompter;
    NoShell shell;
    sovraccarichi window(settings, prompter, shell);
    if (const int status = leggiAnalisi(QStringLiteral("print"), path, window, err)) return status;

    OpzioniStampa opzioni;
    opzioni.anteprima = false;  // straight to the PDF printer, no window
    opzioni.stampante = QStringLiteral("Velmora PDF");
    opzioni.fileUscita = QFileInfo(pdf).absoluteFilePath();
    err.flush();
    const QString why = StampaAnalisi(window.dati, prompter, opzioni);
    if (!why.isEmpty() || !QFileInfo::exists(opzioni.fileUscita)) {
        err << "tessaro print: stampa non riuscita"
            << (why.isEmpty() ? QString() : QStringLiteral(": ") + why) << "\n";
        err.flush();
        return 1;
    }
    out << opzioni.fileUscita << "\n";
    out.flush();
    return 0;
}
