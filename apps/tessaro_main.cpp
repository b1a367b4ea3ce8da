#include <QApplication>
#include <QStringList>
#include <QTextStream>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ClimateCli.h"
#include "Main.h"
#include "ReportCommand.h"

namespace {

bool hasDisplay() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
}

bool isCommand(const char* arg) {
    for (const char* c : {"snow", "wind", "report", "print"})
        if (std::strcmp(arg, c) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(
            "uso: tessaro [FILE.TSR]                 apre la finestra (con il file letto)\n"
            "     tessaro report FILE.TSR [--json]   il resoconto dell'analisi, riga per riga\n"
            "     tessaro print FILE.TSR --pdf OUT.pdf\n"
            "     tessaro snow [opzioni] [--json]    carico neve\n"
            "     tessaro wind [opzioni] [--json]    carico vento\n",
            stdout);
        return 0;
    }
    const bool command = argc > 1 && isCommand(argv[1]);
    // Commands run without a display.
    if (command && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!command && !hasDisplay()) {
        std::fprintf(stderr, "tessaro: nessun display disponibile per aprire la finestra.\n");
        return 1;
    }

    // Without a session's runtime folder Qt warns on every start; give it a private one.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QByteArray("/tmp/runtime-") + QByteArray::number(getuid());
        if (mkdir(dir.constData(), 0700) == 0 || errno == EEXIST) qputenv("XDG_RUNTIME_DIR", dir);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QStringList args = QApplication::arguments();
    args.removeFirst();

    if (command) {
        const QString name = args.takeFirst();
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (name == QLatin1String("snow")) return runSnowCommand(args, out, err);
        if (name == QLatin1String("wind")) return runWindCommand(args, out, err);
        if (name == QLatin1String("report")) return runReportCommand(args, out, err);
        return runPrintCommand(args, out, err);
    }
    return Main(args);
}
