// Replaying a recorded page (the library's hot path: every redraw, every print):
// pages of 1,000 and 10,000 mixed commands (texts, lines, polylines, circles,
// hatched surfaces) on the preview's page picture at 100 % and on the raster
// printer at 300 dpi.

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include "Printer.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "Surface.h"
#include "ValoriComando.h"
#include "clsModStampa.h"

namespace {

using velmora::specifica::dueDecimali;

struct Lavoro {
    platform::ConsolePrompter prompter;
    platform::MemorySettingsStore settings;
    velmora::clsModStampa* job = nullptr;

    explicit Lavoro(int comandi) {
        velmora::clsModStampa::Servizi s;
        s.prompter = &prompter;
        s.settings = &settings;
        s.printerName = platform::Printer::rasterPrinterName();
        job = new velmora::clsModStampa(s);
        job->setAnteprima(true);
        for (int i = 0; i < comandi; ++i) {
            const double x = 10 + (i % 10) * 19, y = 10 + (i / 10 % 20) * 13;
            auto n = [](double v) { return dueDecimali(v); };
            switch (i % 5) {
                case 0:
                    job->StampaTesto("|Testo=Carico " + QString::number(i) + "|x1=" + n(x) +
                                         "|y1=" + n(y) +
                                         "|Carattere=Arial|Altezza=9|Col=0|Angolo=" +
                                         QString::number(i % 3 == 0 ? 90 : 0) + "|",
                                     true);
                    break;
                case 1:
                    job->stampaLinea(
                        "|x1=" + n(x) + "|y1=" + n(y) + "|x2=" + n(x + 15) + "|y2=" + n(y + 10) +
                            "|SpesCont=0,3|Col=255|TipoCont=" + QString::number(i % 5) + "|",
                        true);
                    break;
                case 2:
                    job->stampaPolilinea("|nVert=4|x1=" + n(x) + "|y1=" + n(y) + "|x2=" + n(x + 5) +
                                             "|y2=" + n(y + 10) + "|x3=" + n(x + 10) +
                                             "|y3=" + n(y) + "|x4=" + n(x + 15) +
                                             "|y4=" + n(y + 10) + "|Col=0|SpesCont=0,25|",
                                         true);
                    break;
                case 3:
                    job->stampacerchio("|x1=" + n(x + 7) + "|y1=" + n(y + 5) + "|x2=" + n(x + 12) +
                                           "|y2=" + n(y + 5) +
                                           "|Campitura=7|Col=16711680|SpesCont=0,25|",
                                       true);
                    break;
                default:
                    job->stampaSuperficie(
                        "|nVert=3|x1=" + n(x) + "|y1=" + n(y + 10) + "|x2=" + n(x + 15) +
                            "|y2=" + n(y + 10) + "|x3=" + n(x + 7) + "|y3=" + n(y) + "|Campitura=" +
                            QString::number(i % 6) + "|ColCamp=32768|Col=0|SpesCont=0,25|",
                        true);
                    break;
            }
        }
        job->newPage();
    }
    ~Lavoro() { job->Release(); }
};

void BM_ReplayPagePicture(benchmark::State& state) {
    Lavoro l(int(state.range(0)));
    // A4 at 96 dpi and 100 %.
    platform::PictureSurface pic(794, 1123, 96);
    l.job->stato().PicPrinter = &pic;
    l.job->stato().FattoreScala = 1;
    for (auto _ : state) {
        pic.Cls();
        l.job->VisualizzaPaginaAnteprima(1);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplayPagePicture)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReplayRasterPrinter300(benchmark::State& state) {
    Lavoro l(int(state.range(0)));
    platform::Printer& p = l.job->printer();
    p.setResolution(300);
    p.beginDoc();
    for (auto _ : state) l.job->StampaPagina(1);
    p.killDoc();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplayRasterPrinter300)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
