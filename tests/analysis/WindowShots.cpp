// Saves a picture of each tab of the main window, to look at the layout:
// analysis_window_shots OUT_DIR
#include <QApplication>
#include <QTabWidget>

#include "Prompter.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "sovraccarichi.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    platform::MemorySettingsStore settings;
    platform::ScriptedPrompter prompter;
    platform::DesktopShell shell;
    sovraccarichi w(settings, prompter, shell);
    w.show();
    QApplication::processEvents();
    for (int t = 0; t < w.SSTab1->count(); ++t) {
        w.SSTab1->setCurrentIndex(t);
        QApplication::processEvents();
        w.grab().save(QStringLiteral("%1/tab%2.png").arg(dir).arg(t + 1));
    }
    return 0;
}
