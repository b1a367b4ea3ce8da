// Start-up of the main window: construction (placement, layout, the hidden snow
// and wind computations, the banner) until the window is shown and painted.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "Prompter.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "sovraccarichi.h"

namespace {

void BM_WindowShown(benchmark::State& state) {
    platform::MemorySettingsStore settings;
    platform::ScriptedPrompter prompter;
    platform::DesktopShell shell;
    for (auto _ : state) {
        sovraccarichi w(settings, prompter, shell);
        w.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.txtCarVento);
    }
}
BENCHMARK(BM_WindowShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
