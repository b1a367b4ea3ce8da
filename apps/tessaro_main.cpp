#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Main.h"

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
    const bool command = argc > 1 && isCommand(argv[1]);
    // Commands run without a display.
    if (command && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!command && !hasDisplay()) {
        std::fprintf(stderr, "tessaro: nessun display disponibile per aprire la finestra.\n");
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QStringList args = QApplication::arguments();
    args.removeFirst();

    if (command) {
        // Command-line dispatch point: snow, wind, report and print are wired here.
        std::fprintf(stderr, "tessaro %s: comando non ancora disponibile\n", argv[1]);
        return 2;
    }
    return Main(args);
}
