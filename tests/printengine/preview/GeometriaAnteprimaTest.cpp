#include <gtest/gtest.h>

#include "GeometriaAnteprima.h"
#include "ImpostazioniAnteprima.h"
#include "SettingsStore.h"
#include "clsModStampa.h"

using namespace velmora::anteprima;

TEST(ZoomList, SeventyNineEntriesFromTenToFourHundred) {
    const QList<int> z = percentualiZoom();
    ASSERT_EQ(z.size(), 79);
    EXPECT_EQ(z.first(), 10);
    EXPECT_EQ(z.last(), 400);
    EXPECT_EQ(z[18], 100);
    EXPECT_EQ(testoZoom(100), "100 %");
}

TEST(ZoomList, StoredZoomPicksItsEntryOrFallsBackTo100) {
    struct Case {
        int stored, expectedPercent;
    } cases[] = {{150, 150}, {10, 10}, {400, 400}, {100, 100}, {123, 100}, {5, 100}, {1000, 100}};
    for (const Case& c : cases)
        EXPECT_EQ(percentualiZoom()[indiceZoom(c.stored)], c.expectedPercent) << c.stored;
}

TEST(ZoomList, FitPageTakesTheLargestZoomAtWhichTheHeightFits) {
    // 200 mm of area, A4 height: 180 mm of room -> 60,6 % -> 60 %.
    EXPECT_EQ(percentualiZoom()[indiceAdatta(200, 297)], 60);
    for (double area : {50.0, 120.0, 317.0, 700.0}) {
        const int z = percentualiZoom()[indiceAdatta(area, 297)];
        const GeometriaPagina g = calcolaGeometria(300, area, 210, 297, z);
        if (z > 10) EXPECT_EQ(g.maxScrollV, 0) << area;
        if (z < 400) {
            const GeometriaPagina g2 = calcolaGeometria(300, area, 210, 297, z + 5);
            EXPECT_GT(g2.maxScrollV, 0) << area;
        }
    }
    EXPECT_EQ(indiceAdatta(10, 297), 0);  // smaller than the smallest zoom: 10 %
}

TEST(PageGeometry, CentredPageAndScrollLimits) {
    struct Case {
        double areaW, areaH;
        int zoom;
        double w, h;
        int posX, posY;
        double top;
        int maxH, maxV;
    } cases[] = {
        // 10 %: small, centred, nothing to scroll.
        {400, 250, 10, 21, 29.7, 190, 110, 110, 0, 0},
        // 100 %: A4 taller than the area: 10 mm from the top, the overflow beyond area - 20.
        {400, 250, 100, 210, 297, 95, 10, 10, 0, 67},
        // 200 %: too wide and too tall.
        {300, 250, 200, 420, 594, 10, 10, 10, 140, 364},
        // Taller areas: still centred.
        {400, 400, 50, 105, 148.5, 148, 126, 126, 0, 0},
        {400, 800, 10, 21, 29.7, 190, 385, 385, 0, 0},
    };
    for (const Case& c : cases) {
        const GeometriaPagina g = calcolaGeometria(c.areaW, c.areaH, 210, 297, c.zoom);
        SCOPED_TRACE(c.zoom);
        EXPECT_NEAR(g.larghezza, c.w, 1e-9);
        EXPECT_NEAR(g.altezza, c.h, 1e-9);
        EXPECT_EQ(g.PosBaseX, c.posX);
        EXPECT_EQ(g.PosBaseY, c.posY);
        EXPECT_EQ(g.left, c.posX);
        EXPECT_NEAR(g.top, c.top, 1e-9);
        EXPECT_EQ(g.maxScrollH, c.maxH);
        EXPECT_EQ(g.maxScrollV, c.maxV);
    }
}

TEST(PageGeometry, ShadowTwoMillimetresPerHundredPercentBehind) {
    EXPECT_EQ(rettangoloOmbra(10.4, 20.6, 210, 297, 100), QRectF(12, 23, 210, 297));
    EXPECT_EQ(rettangoloOmbra(10, 20, 42, 59.4, 20), QRectF(10, 20, 42, 59.4));  // 0,4 rounds off
    EXPECT_EQ(rettangoloOmbra(10, 20, 840, 1188, 400), QRectF(18, 28, 840, 1188));
    EXPECT_EQ(rettangoloOmbra(10, 20, 210, 297, 0), QRectF(12, 22, 210, 297));
}

TEST(PageGeometry, ScaleFactorIsScreenMillimetresPerPaperMillimetre) {
    EXPECT_FLOAT_EQ(calcolaFattoreScala(210, 297, 21, 29.7f), 1.0f);
    EXPECT_FLOAT_EQ(calcolaFattoreScala(105, 148.5, 21, 29.7f), 0.5f);
    // Landscape: the heights decide.
    EXPECT_FLOAT_EQ(calcolaFattoreScala(594, 420, 29.7f, 21), 2.0f);
    // Never 0.
    EXPECT_GT(calcolaFattoreScala(0, 0, 21, 29.7f), 0.0f);
    EXPECT_GT(calcolaFattoreScala(100, 200, 0, 0), 0.0f);
}

TEST(Rulers, TicksInPaperMillimetresWhateverTheZoom) {
    for (int zoom : {50, 100, 200}) {
        const QList<Tacca> t = tacche(297.0 * zoom / 100, zoom);
        ASSERT_EQ(t.size(), 303) << zoom;  // 0 .. CLng(297 + 5)
        EXPECT_TRUE(t[0].numero);
        EXPECT_EQ(t[0].da, 2);
        EXPECT_EQ(t[0].a, 12);
        EXPECT_FALSE(t[5].numero);
        EXPECT_EQ(t[5].da, 4);
        EXPECT_EQ(t[5].a, 10);
        EXPECT_EQ(t[7].da, 6);
        EXPECT_EQ(t[7].a, 8);
        EXPECT_TRUE(t[290].numero);
    }
}

TEST(Background, DarkAtTheBottomLightAtTheTop) {
    EXPECT_EQ(coloreSfondo(0, 200, true), QColor(0, 0, 0));
    EXPECT_EQ(coloreSfondo(1000, 200, true), QColor(245, 245, 245));
    EXPECT_EQ(coloreSfondo(1000, 200, false), QColor(0, 245, 255));
    EXPECT_EQ(coloreSfondo(0, 600, false), QColor(0, 10, 255));  // tall areas start at 10
    EXPECT_EQ(coloreSfondo(1000, 600, true), QColor(255, 255, 255));
}

TEST(PageField, LeadingNumberWithinTheDocument) {
    EXPECT_EQ(paginaDigitata("2 / 5", 5), 2);
    EXPECT_EQ(paginaDigitata("5", 5), 5);
    EXPECT_EQ(paginaDigitata("0", 5), std::nullopt);
    EXPECT_EQ(paginaDigitata("6", 5), std::nullopt);
    EXPECT_EQ(paginaDigitata("", 5), std::nullopt);
    EXPECT_EQ(paginaDigitata("1", 0), std::nullopt);
}

TEST(RangeRequest, AnswersEndRepeatOrPrint) {
    using E = Intervallo::Esito;
    struct Case {
        std::optional<QString> answer;
        E esito;
        int first, last;
    } cases[] = {
        {std::nullopt, E::Fine, 0, 0},     {QString(""), E::Fine, 0, 0},
        {QString("   "), E::Fine, 0, 0},   {QString("3-3"), E::Stampa, 3, 3},
        {QString("1-5"), E::Stampa, 1, 5}, {QString(" 2 - 4 "), E::Stampa, 2, 4},
        {QString("5-2"), E::Ripeti, 0, 0}, {QString("3"), E::Ripeti, 0, 0},
        {QString("0-2"), E::Ripeti, 0, 0}, {QString("1-6"), E::Ripeti, 0, 0},
        {QString("a-b"), E::Ripeti, 0, 0}, {QString("-3"), E::Ripeti, 0, 0},
    };
    for (const Case& c : cases) {
        const Intervallo r = leggiIntervallo(c.answer, 5);
        SCOPED_TRACE(c.answer.value_or("(annullato)").toStdString());
        EXPECT_EQ(r.esito, c.esito);
        if (c.esito == E::Stampa) {
            EXPECT_EQ(r.prima, c.first);
            EXPECT_EQ(r.ultima, c.last);
        }
    }
}

TEST(Caption, ModeAndNames) {
    EXPECT_EQ(titoloFinestra("Tessaro", "Modello Fattura ", "/m/f.vlm"),
              "[Tessaro] - Modello di Stampa (Fattura) - File: \"/m/f.vlm\"");
    EXPECT_EQ(titoloFinestra("Tessaro", "Modello Fattura", ""),
              "[Tessaro] - Gestore Modelli di Stampa Documenti [Vortanel]");
    EXPECT_EQ(titoloFinestra("Tessaro", "Analisi", "a.tsr"),
              "[Tessaro] - Anteprima di Stampa [Vortanel] - Analisi - File: \"a.tsr\"");
    EXPECT_EQ(titoloFinestra("Tessaro", "Analisi", ""),
              "[Tessaro] - Anteprima di Stampa [Vortanel]");
    EXPECT_TRUE(modoModello("Modello"));
    EXPECT_FALSE(modoModello("modello"));
    EXPECT_FALSE(modoModello("Model"));
}

namespace {
const QString app = velmora::titoloLibreria();
}

TEST(FormSettings, FirstRunDefaults) {
    platform::MemorySettingsStore s;
    const ImpostazioniForm v = leggiImpostazioni(s, QSize(24000, 15000));
    EXPECT_EQ(v.Top, 1500);
    EXPECT_EQ(v.Left, 2400);
    EXPECT_EQ(v.Width, 19200);
    EXPECT_EQ(v.Height, 12000);
    EXPECT_EQ(v.ZoomIniziale, 100);
    EXPECT_EQ(v.vis_BarraStrumenti, 1);
    EXPECT_EQ(v.vis_BarraCoordinate, 1);
    EXPECT_EQ(v.vis_BarraComandi, 1);
    EXPECT_EQ(v.vis_Righelli, 1);
    EXPECT_EQ(v.vis_DBoggetti, 0);
    EXPECT_FLOAT_EQ(v.PassoGridStep, 1);
    EXPECT_EQ(v.StepAttivo + v.GridAttivo + v.OrtoAttivo, 0);
    EXPECT_EQ(v.FiltroSelezione, "Inters");
}

TEST(FormSettings, StoredValuesAndTheirRules) {
    platform::MemorySettingsStore s;
    s.save(app, "frmStampa", "Top", "300");
    s.save(app, "frmStampa", "Left", "abc");  // not a number: the default
    s.save(app, "Zoom", "Valore", "150");
    s.save(app, "Righello", "Attivo", "0");
    s.save(app, "DBoggetti", "Attivo", "1");
    s.save(app, "PassoGridStep", "Valore", "0,5");
    s.save(app, "Grid", "Attivo", "1");
    s.save(app, "FiltroSelezione", "Tipo", "");
    ImpostazioniForm v = leggiImpostazioni(s, QSize(24000, 15000));
    EXPECT_EQ(v.Top, 300);
    EXPECT_EQ(v.Left, 2400);
    EXPECT_EQ(v.ZoomIniziale, 150);
    EXPECT_EQ(v.vis_Righelli, 0);
    EXPECT_EQ(v.vis_DBoggetti, 1);
    EXPECT_FLOAT_EQ(v.PassoGridStep, 1);  // below 1 becomes 1
    EXPECT_EQ(v.GridAttivo, 1);
    EXPECT_EQ(v.FiltroSelezione, "Inters");

    s.save(app, "PassoGridStep", "Valore", "2,567");
    s.save(app, "FiltroSelezione", "Tipo", "Fines");
    s.save(app, "Zoom", "Valore", "99999");  // out of range: the default
    v = leggiImpostazioni(s, QSize(24000, 15000));
    EXPECT_FLOAT_EQ(v.PassoGridStep, 2.57f);
    EXPECT_EQ(v.FiltroSelezione, "Fines");
    EXPECT_EQ(v.ZoomIniziale, 100);
}

TEST(FormSettings, WrittenValuesReadBack) {
    platform::MemorySettingsStore s;
    ImpostazioniForm v;
    v.Top = 120;
    v.Left = 240;
    v.Width = 9000;
    v.Height = 7000;
    v.ZoomIniziale = 150;
    v.vis_BarraComandi = 0;
    v.PassoGridStep = 2.5f;
    v.OrtoAttivo = 1;
    v.FiltroSelezione = "Ogget";
    salvaImpostazioni(s, v);
    EXPECT_EQ(s.get(app, "PassoGridStep", "Valore", ""), "2,5");
    EXPECT_EQ(s.get(app, "BarraComandi", "Attivo", ""), "0");
    const ImpostazioniForm r = leggiImpostazioni(s, QSize(1, 1));
    EXPECT_EQ(r.Top, 120);
    EXPECT_EQ(r.Left, 240);
    EXPECT_EQ(r.Width, 9000);
    EXPECT_EQ(r.Height, 7000);
    EXPECT_EQ(r.ZoomIniziale, 150);
    EXPECT_EQ(r.vis_BarraComandi, 0);
    EXPECT_FLOAT_EQ(r.PassoGridStep, 2.5f);
    EXPECT_EQ(r.OrtoAttivo, 1);
    EXPECT_EQ(r.FiltroSelezione, "Ogget");
}
