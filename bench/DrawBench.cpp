// Drawing 1,000 mixed objects (rectangles, circles, arcs, polylines, surfaces,
// texts) on an A4 page: the preview picture at 96 dpi and a raster printer page.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "Arco.h"
#include "Cerchio.h"
#include "Rettangolo.h"
#include "Surface.h"
#include "polilinea.h"
#include "superficie.h"
#include "testo.h"

namespace {

void drawPage(platform::Surface& s, bool printer) {
    auto x = [&](double mm) { return float(s.toPixelsX(mm)); };
    auto y = [&](double mm) { return float(s.toPixelsY(mm)); };
    const float w = printer ? platform::printerLineWidth(0.3) : platform::pictureLineWidth(0.3, 1);
    for (int i = 0; i < 1000; ++i) {
        const double ox = 10 + (i % 10) * 19, oy = 10 + (i / 10 % 20) * 13;
        switch (i % 6) {
            case 0: {
                Rettangolo r;
                r.DC = s.hDC();
                r.setVertic(4);
                r.inser_vert_ret(x(ox), y(oy), 1);
                r.inser_vert_ret(x(ox + 15), y(oy), 2);
                r.inser_vert_ret(x(ox + 15), y(oy + 10), 3);
                r.inser_vert_ret(x(ox), y(oy + 10), 4);
                r.campitura = i % 8;
                r.colocampitura = 0xFF0000;
                r.spescont = w;
                r.disrettangolo();
                break;
            }
            case 1: {
                Cerchio c;
                c.DC = s.hDC();
                c.Xcentro = x(ox + 7), c.Ycentro = x(oy + 5), c.Xpunto = x(ox + 12),
                c.YPunto = x(oy + 5);
                c.campitura = 4;
                c.spescont = w;
                c.discerchio();
                break;
            }
            case 2: {
                Arco a;
                a.DC = s.hDC();
                a.p1x = x(ox + 14), a.p1y = y(oy + 5), a.p2x = x(ox), a.p2y = y(oy + 5);
                a.p3x = x(ox + 7), a.p3y = y(oy);
                a.spescont = w;
                a.Disarco();
                break;
            }
            case 3: {
                polilinea p;
                p.DC = s.hDC();
                p.setVertic(4);
                for (int k = 1; k <= 4; ++k)
                    p.inser_vert_pol(x(ox + k * 3), y(oy + (k % 2) * 8), k);
                p.spescont = w;
                p.trattcont = 1;
                p.disPolyline();
                break;
            }
            case 4: {
                superficie p;
                p.DC = s.hDC();
                p.setVertic(5);
                for (int k = 1; k <= 5; ++k)
                    p.inser_vert_sup(x(ox + k * 3), y(oy + (k % 2) * 8), k);
                p.campitura = 0;
                p.spescont = w;
                p.disSup();
                break;
            }
            default: {
                testo t;
                t.DC = s.hDC();
                t.setCarattere_testo(i % 12 == 5 ? "Courier New" : "Arial");
                t.stringa_testo = "Carico G2";
                t.dimens_testo = printer ? platform::printerTextHeight(8, 1, s.twipsPerPixelY())
                                         : platform::pictureTextHeight(8, 1, s.twipsPerPixelY());
                t.pos_testox = x(ox);
                t.pos_testoy = y(oy);
                t.setAng_testo(i % 4 == 0 ? 90 : 0);
                t.opaco_testo = i % 3 == 0 ? -1 : 0;
                t.colore_opaco_testo = 0x00FF00;
                t.dis_testo();
            }
        }
    }
}

void BM_PreviewPage(benchmark::State& state) {
    platform::PictureSurface pic(794, 1123, 96);  // A4 at 100 %
    pic.setScaleMode(platform::vbMillimeters);
    for (auto _ : state) {
        pic.Cls();
        drawPage(pic, false);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_PreviewPage)->Unit(benchmark::kMillisecond);

void BM_PrinterPage300dpi(benchmark::State& state) {
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    gdi::DeviceGeometry g;
    g.dpiX = g.dpiY = 300;
    g.width = page.width();
    g.height = page.height();
    platform::PainterSurface s(&painter, g);
    s.setScaleMode(platform::vbMillimeters);
    for (auto _ : state) drawPage(s, true);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_PrinterPage300dpi)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
