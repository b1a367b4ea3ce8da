// Saves a picture of each tab of the main window, to look at the layout:
// analysis_window_shots OUT_DIR [FILE.TSR]
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
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
    auto shoot = [&](const QString& suffix) {
        for (int t = 0; t < w.SSTab1->count(); ++t) {
            w.SSTab1->setCurrentIndex(t);
            QApplication::processEvents();
            w.grab().save(QStringLiteral("%1/tab%2%3.png").arg(dir).arg(t + 1).arg(suffix));
        }
    };
    shoot(QString());
    // A worked analysis: some rows ticked, a category chosen, snow and wind included.
    for (int i : {1, 2, 5, 10}) w.chkPerm[i]->setChecked(true);
    w.Combo1->setCurrentIndex(1);
    w.txtVLD[1]->setText(QStringLiteral("150"));
    w.txtLD[1]->setText(QStringLiteral("Archivio"));
    w.chkLD[1]->setChecked(true);
    w.Option1[3]->setChecked(true);
    w.CheckNeve->setChecked(true);
    w.CheckVento->setChecked(true);
    shoot(QStringLiteral("-filled"));
    // An analysis read from a file, report included.
    if (argc > 2) {
        w.apriAnalisi(QString::fromLocal8Bit(argv[2]));
        shoot(QStringLiteral("-file"));
    }
    w.ModifDatiCarichi = 0;
    return 0;
}
