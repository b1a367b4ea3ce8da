// Model files of 100,000 commands read and written by the engine, against a raw
// read of the same bytes; and the key lookup over typical specification strings.

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "ModelloStampa.h"
#include "Printer.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "ValoriComando.h"
#include "clsModStampa.h"

namespace {
constexpr int kCommands = 100000;

const QString kTesto = QStringLiteral(
    "|Testo=ANALISI DEI CARICHI|x1=10,00|y1=20,00|Carattere=Courier New|Altezza=10|Col=0|"
    "Angolo=0|Grassetto=True|Sottolineato=True|Barrato=False|Corsivo=False|Opaco=False|"
    "ColoreOpaco=0|DX=0|NCar=0|");
const QString kLinea =
    QStringLiteral("|x1=10,000|y1=20,000|x2=190,000|y2=20,000|Col=0|TipoCont=0|SpesCont=0,25|");

struct Env {
    QTemporaryDir dir;
    platform::ScriptedPrompter prompter;
    platform::MemorySettingsStore settings;
    QString path;
    QByteArray bytes;

    velmora::clsModStampa* newJob() {
        velmora::clsModStampa::Servizi s;
        s.prompter = &prompter;
        s.settings = &settings;
        s.printerName = platform::Printer::rasterPrinterName();
        return new velmora::clsModStampa(s);
    }

    Env() {
        path = dir.filePath("grande.VLM");
        auto* job = newJob();
        job->setAnteprima(true);
        for (int i = 0; i < kCommands; ++i) {
            if (i % 50 == 49)
                job->newPage();
            else
                job->AggiungiClasseComando(i % 2 ? "Testo" : "Linea", i % 2 ? kTesto : kLinea);
        }
        job->endDoc();
        job->NomeDocumento = path;
        job->salvaModello();
        job->Release();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        bytes = f.readAll();
    }
};

Env& env() {
    static Env e;
    return e;
}

void BM_LetturaGrezza(benchmark::State& state) {
    for (auto _ : state) {
        QFile f(env().path);
        f.open(QIODevice::ReadOnly);
        QByteArray b = f.readAll();
        benchmark::DoNotOptimize(b.count('\n'));
    }
    state.SetBytesProcessed(state.iterations() * env().bytes.size());
}
BENCHMARK(BM_LetturaGrezza)->Unit(benchmark::kMillisecond);

void BM_LeggiModello(benchmark::State& state) {
    auto* job = env().newJob();
    job->NomeDocumento = env().path;
    for (auto _ : state) {
        job->leggiModello();
        benchmark::DoNotOptimize(job->PagineTotAnteprima());
    }
    state.SetBytesProcessed(state.iterations() * env().bytes.size());
    state.counters["comandi"] = kCommands;
    job->Release();
}
BENCHMARK(BM_LeggiModello)->Unit(benchmark::kMillisecond);

void BM_SalvaModello(benchmark::State& state) {
    auto* job = env().newJob();
    job->NomeDocumento = env().path;
    job->leggiModello();
    job->NomeDocumento = env().dir.filePath("copia.VLM");
    for (auto _ : state) job->salvaModello();
    state.SetBytesProcessed(state.iterations() * env().bytes.size());
    job->Release();
}
BENCHMARK(BM_SalvaModello)->Unit(benchmark::kMillisecond);

void BM_EstraiValore(benchmark::State& state) {
    const QString keys[] = {"x1=", "y1=", "Carattere=", "ColoreOpaco=", "NCar=", "Col=", "Testo="};
    const QString specs[] = {kTesto, kLinea};
    for (auto _ : state) {
        for (const QString& s : specs)
            for (const QString& k : keys) benchmark::DoNotOptimize(velmora::Estrai_Valore(k, s));
    }
    state.SetItemsProcessed(state.iterations() * 14);
}
BENCHMARK(BM_EstraiValore);

void BM_LetturaTipizzata(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmora::specifica::numero("x1=", kTesto));
        benchmark::DoNotOptimize(velmora::specifica::booleano("Grassetto=", kTesto));
        benchmark::DoNotOptimize(velmora::specifica::colore("Col=", kTesto));
    }
    state.SetItemsProcessed(state.iterations() * 3);
}
BENCHMARK(BM_LetturaTipizzata);
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
