#include "Main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

#include "QtPrompter.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "sovraccarichi.h"

int Main(const QStringList& args) {
    QElapsedTimer clock;
    clock.start();
    QTextStream err(stderr);
    if (args.size() > 1) {
        err << "uso: tessaro [FILE.TSR]\n";
        return 2;
    }

    platform::QtPrompter prompter;
    platform::DesktopShell shell;
    auto* window = new sovraccarichi(platform::userSettings(), prompter, shell);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->AnteprimaStampa = true;
    prompter.setParent(window);
    // A tool window does not end the program by closing; the main window does.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(window, &QObject::destroyed, qApp, &QCoreApplication::quit);
    window->show();
    // A file named on the command line is opened as "Apri" opens it, over the shown
    // window, before anything else may close that window.
    if (!args.isEmpty()) window->apriAnalisi(args.first());

    // For the start-up timing script: report the time to a shown window and stop.
    if (qEnvironmentVariableIsSet("TESSARO_STARTUP_PROBE")) {
        QTimer::singleShot(0, window, [window, &clock] {
            std::fprintf(stdout, "startup_ms %lld\n", static_cast<long long>(clock.elapsed()));
            std::fflush(stdout);
            window->ModifDatiCarichi = 0;
            window->close();
        });
    }
    return QApplication::exec();
}
