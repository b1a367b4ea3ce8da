#include "ReportCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "Prompter.h"
#include "Report.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
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
    window.ModifDatiCarichi = 0;
    err.flush();
    const sovraccarichi::Apertura result = window.apriAnalisi(path);
    if (result != sovraccarichi::Apertura::Letta) {
        if (result == sovraccarichi::Apertura::Danneggiata)
            err << "tessaro report: il file \"" << path
                << "\" è danneggiato o troncato e non è stato letto per intero.\n";
        err.flush();
        window.ModifDatiCarichi = 0;
        return 1;
    }
    window.ModifDatiCarichi = 0;

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
