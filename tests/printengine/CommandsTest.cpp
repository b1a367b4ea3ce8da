// Drawing commands and page replays: small pages drawn on the raster printer
// (paper) and on the page picture (preview), with pixels checked where the
// commands put them.

#include <QFontDatabase>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "BarcodeFont.h"
#include "Errore.h"
#include "JobTestSupport.h"
#include "Surface.h"
#include "ValoriComando.h"

using namespace velmora;

namespace {

constexpr int kDpi = 100;
const QColor kRosso(255, 0, 0);
const QColor kVerde(0, 255, 0);
const QColor kGrigio(128, 128, 128);
const QColor kBianco(255, 255, 255);
const QColor kNero(0, 0, 0);

bool bianco(const QColor& c) {
    return c.red() > 250 && c.green() > 250 && c.blue() > 250;
}

// Pixels that are not white inside a rectangle of pixels.
int inchiostro(const QImage& img, QRect r) {
    r = r.intersected(img.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (!bianco(img.pixelColor(x, y))) ++n;
    return n;
}

int contaColore(const QImage& img, QRect r, const QColor& c) {
    r = r.intersected(img.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixelColor(x, y) == c) ++n;
    return n;
}

// Bounding box of the ink, in pixels.
QRect riquadroInchiostro(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!bianco(img.pixelColor(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

// One job, drawing either on paper (the raster printer, direct mode) or on a
// page picture (preview mode, as the window shows a page).
struct Banco {
    JobFixture f{platform::Printer::rasterPrinterName()};
    std::unique_ptr<platform::PictureSurface> pic;
    double pxPerMm = kDpi / 25.4;

    // Paper at dpi.
    explicit Banco(int dpi = kDpi) {
        f.j().printer().setResolution(dpi);
        pxPerMm = dpi / 25.4;
    }
    // A page picture of 100 x 100 mm at 96 dpi and the given zoom.
    static std::unique_ptr<Banco> schermo(float zoom = 1) {
        auto b = std::make_unique<Banco>();
        const int lato = int(100 / 25.4 * 96 * zoom);
        b->pic = std::make_unique<platform::PictureSurface>(lato, lato, 96);
        b->f.j().setAnteprima(true);
        b->f.j().stato().PicPrinter = b->pic.get();
        b->f.j().stato().FattoreScala = zoom;
        b->pxPerMm = 96 / 25.4 * zoom;
        return b;
    }
    clsModStampa& j() { return f.j(); }
    // Draws one command by name on the surface of this bench.
    void disegna(const QString& nome, const QString& spec, bool attivo = true) {
        if (pic)
            j().Pic_VisualizzaOggetto(nome, spec, attivo);
        else
            j().eseguiComando(nome, spec, attivo);
    }
    QImage pagina() {
        if (pic) return pic->image();
        EXPECT_TRUE(j().printer().endDoc());
        const auto& pages = j().printer().rasterPages();
        return pages.isEmpty() ? QImage() : pages[0];
    }
    QPoint p(double xmm, double ymm) const {
        return QPoint(int(xmm * pxPerMm), int(ymm * pxPerMm));
    }
    QRect r(double xmm, double ymm, double wmm, double hmm) const {
        return QRect(p(xmm, ymm), p(xmm + wmm, ymm + hmm)).adjusted(0, 0, -1, -1);
    }
};

std::unique_ptr<Banco> banco(bool carta, float zoom = 1) {
    return carta ? std::make_unique<Banco>() : Banco::schermo(zoom);
}

// Thickness of a horizontal line at x, counted down a column around y.
int spessoreRiga(const QImage& img, const QPoint& at, const QColor& c) {
    return contaColore(img, QRect(at.x(), at.y() - 20, 1, 41), c);
}

}  // namespace

TEST(Commands, LineWidthsOnPaperAndPicture) {
    struct Case {
        bool carta;
        float zoom;
        const char* spes;
        int px;
    } cases[] = {
        {true, 1, "1", 7},                        // 7.2 on paper, taken in whole pixels
        {true, 1, "0", 1},  {true, 1, "0,5", 4},  // 3.6
        {false, 1, "1", 4},                       // 10 / 2.8 = 3.57
        {false, 2, "1", 7},                       // 7.14
        {false, 1, "0", 1},
    };
    for (const Case& c : cases) {
        auto b = banco(c.carta, c.zoom);
        b->disegna("Linea", QStringLiteral("|x1=10|y1=20|x2=60|y2=20|SpesCont=%1|Col=255|")
                                .arg(QString::fromUtf8(c.spes)));
        const QImage img = b->pagina();
        EXPECT_NEAR(spessoreRiga(img, b->p(30, 20), kRosso), c.px, 1)
            << c.carta << " " << c.zoom << " " << c.spes;
        // Ends where it should, and no dot at the page's origin.
        EXPECT_EQ(img.pixelColor(b->p(12, 20)), kRosso);
        EXPECT_TRUE(bianco(img.pixelColor(b->p(65, 20))));
        EXPECT_TRUE(bianco(img.pixelColor(0, 0)));
    }
}

TEST(Commands, OutlineColoursHighlightAndWhite) {
    struct Case {
        int col;
        bool attivo;
        QColor atteso;
    } cases[] = {
        {255, true, kRosso},     {16777215, true, kNero}, {0, false, kVerde},
        {65280, false, kGrigio}, {255, false, kVerde},
    };
    for (bool carta : {true, false}) {
        for (const Case& c : cases) {
            auto b = banco(carta);
            b->disegna("Linea",
                       QStringLiteral("|x1=10|y1=20|x2=60|y2=20|SpesCont=0,5|Col=%1|").arg(c.col),
                       c.attivo);
            b->disegna(
                "Polilinea",
                QStringLiteral("|nVert=2|x1=10|y1=40|x2=60|y2=40|Col=%1|SpesCont=0,5|").arg(c.col),
                c.attivo);
            const QImage img = b->pagina();
            EXPECT_EQ(img.pixelColor(b->p(30, 20)), c.atteso) << carta << " " << c.col;
            EXPECT_EQ(img.pixelColor(b->p(30, 40)), c.atteso) << carta << " " << c.col;
        }
    }
}

TEST(Commands, DashedStyleOnlyOnThinLines) {
    auto b = banco(true);
    b->disegna("Linea", "|x1=10|y1=20|x2=90|y2=20|SpesCont=0|Col=0|TipoCont=1|");
    b->disegna("Linea", "|x1=10|y1=40|x2=90|y2=40|SpesCont=1|Col=0|TipoCont=1|");
    const QImage img = b->pagina();
    // Columns with ink in a band of three rows about the line.
    auto colonne = [&](double ymm) {
        int n = 0;
        for (int x = b->p(12, 0).x(); x < b->p(88, 0).x(); ++x)
            if (inchiostro(img, QRect(x, b->p(0, ymm).y() - 1, 1, 3)) > 0) ++n;
        return n;
    };
    const int lunghezza = b->p(88, 0).x() - b->p(12, 0).x();
    EXPECT_GT(colonne(20), lunghezza / 3);
    EXPECT_LT(colonne(20), lunghezza * 9 / 10);  // gaps between the dashes
    EXPECT_EQ(colonne(40), lunghezza);           // a wide line is drawn solid
}

TEST(Commands, RectangleCircleAndSurfaceFills) {
    for (bool carta : {true, false}) {
        auto b = banco(carta);
        // A blue ground, then a white-filled rectangle (drawn black) and surface (white).
        b->disegna("Superficie",
                   "|nVert=4|x1=5|y1=5|x2=95|y2=5|x3=95|y3=30|x4=5|y4=30|Campitura=6|"
                   "ColCamp=16711680|Col=16711680|");
        b->disegna("Rettangolo",
                   "|x1=10|y1=10|x2=30|y2=10|x3=30|y3=25|x4=10|y4=25|Campitura=6|"
                   "ColCamp=16777215|Col=255|SpesCont=0|");
        b->disegna("Superficie",
                   "|nVert=4|x1=50|y1=10|x2=70|y2=10|x3=70|y3=25|x4=50|y4=25|Campitura=6|"
                   "ColCamp=16777215|Col=255|SpesCont=0|");
        b->disegna("Cerchio",
                   "|x1=50|y1=60|x2=70|y2=60|Campitura=6|ColCamp=255|Col=255|SpesCont=0|");
        b->disegna("Rettangolo",
                   "|x1=10|y1=70|x2=30|y2=70|x3=30|y3=90|x4=10|y4=90|Campitura=4|"
                   "ColCamp=32768|Col=0|SpesCont=0|");
        const QImage img = b->pagina();
        EXPECT_EQ(img.pixelColor(b->p(20, 17)), kNero) << carta;
        EXPECT_EQ(img.pixelColor(b->p(60, 17)), kBianco) << carta;
        EXPECT_EQ(img.pixelColor(b->p(40, 17)), QColor(0, 0, 255)) << carta;
        EXPECT_GT(contaColore(img, QRect(b->p(10, 17) - QPoint(2, 0), QSize(5, 1)), kRosso), 0)
            << carta;  // outline
        // Circle of radius 20 mm about (50, 60).
        EXPECT_EQ(img.pixelColor(b->p(50, 60)), kRosso);
        EXPECT_EQ(img.pixelColor(b->p(65, 60)), kRosso);
        EXPECT_EQ(img.pixelColor(b->p(50, 75)), kRosso);
        EXPECT_TRUE(bianco(img.pixelColor(b->p(74, 60))));
        EXPECT_TRUE(bianco(img.pixelColor(b->p(66, 76))));
        // Crossed hatch: some of the square is ink, most of it is not.
        const QRect dentro = b->r(12, 72, 16, 16);
        const int verdi = contaColore(img, dentro, QColor(0, 128, 0));
        EXPECT_GT(verdi, dentro.width() * dentro.height() / 20) << carta;
        EXPECT_LT(verdi, dentro.width() * dentro.height() / 2) << carta;
    }
}

TEST(Commands, MissingVerticesLandAtTheOrigin) {
    auto b = banco(true);
    // The fourth corner is absent: the outline goes back through (0, 0).
    b->disegna("Rettangolo", "|x1=40|y1=40|x2=80|y2=40|x3=80|y3=80|Campitura=7|Col=255|");
    // Three vertices, two given: the third is at (0, 0).
    b->disegna("Polilinea", "|nVert=3|x1=60|y1=10|x2=90|y2=10|Col=0|");
    b->disegna("Polilinea", "|nVert=0|x1=60|y1=90|x2=90|y2=90|Col=0|");
    const QImage img = b->pagina();
    EXPECT_GT(contaColore(img, QRect(b->p(20, 20) - QPoint(2, 2), QSize(5, 5)), kRosso), 0);
    EXPECT_GT(contaColore(img, QRect(b->p(45, 5) - QPoint(2, 2), QSize(5, 5)), kNero), 0);
    EXPECT_EQ(inchiostro(img, b->r(55, 85, 40, 10)), 0);
}

TEST(Commands, RecordedArcReplaysAsAnArc) {
    auto b = Banco::schermo();
    // Recorded in preview mode, drawn by the replay of the page.
    // Counter-clockwise on the page from the start to the end; the third point fixes
    // the circle only.
    b->j().stampaarco("|x1=70|y1=50|x2=30|y2=50|x3=50|y3=30|Col=0|SpesCont=0,5|", true);
    b->j().newPage();
    ASSERT_EQ(namesOf(*(*b->j().Pagine())[0]), QStringList({"Arco", "New Page"}));
    b->j().VisualizzaPaginaAnteprima(1);
    const QImage img = b->pagina();
    auto vicino = [&](double x, double y) {
        return contaColore(img, QRect(b->p(x, y) - QPoint(3, 3), QSize(7, 7)), kNero);
    };
    EXPECT_GT(vicino(50, 30), 0);
    EXPECT_GT(vicino(50 - 14.14, 50 - 14.14), 0);
    EXPECT_EQ(vicino(50, 70), 0);  // the other half of the circle
    EXPECT_TRUE(b->j().anteprima());
    EXPECT_EQ(b->j().PaginaCorrente()->Comandi().size(), 0);  // nothing re-recorded
}

TEST(Commands, TextCutToNCarAndBlankTexts) {
    auto larghezza = [](const QString& spec) {
        auto b = banco(true);
        b->disegna("Testo", spec);
        return riquadroInchiostro(b->pagina()).width();
    };
    const QString base = "|x1=10|y1=10|Altezza=10|Carattere=Arial|Col=0|";
    const int tagliato = larghezza(base + "Testo=ANALISI DEI CARICHI|NCar=5|");
    EXPECT_GT(tagliato, 0);
    EXPECT_EQ(tagliato, larghezza(base + "Testo=ANALI|"));
    EXPECT_GT(larghezza(base + "Testo=ANALISI DEI CARICHI|"), tagliato * 3);

    // Nothing to draw, nothing said.
    for (const char* spec : {"|x1=10|y1=10|Altezza=0|Testo=Ciao|", "|x1=10|y1=10|Testo=Ciao|",
                             "|x1=10|y1=10|Altezza=10|Testo=   |"}) {
        auto b = banco(true);
        b->disegna("Testo", spec);
        EXPECT_FALSE(b->j().printer().isPrinting()) << spec;
        EXPECT_TRUE(b->f.prompter.shown().isEmpty());
    }
}

TEST(Commands, TextSizeIsTheSameOnPaperAndScreen) {
    const QString spec = "|Testo=HHHH|x1=10|y1=10|Altezza=20|Carattere=Arial|Col=0|";
    auto altezzaMm = [&](std::unique_ptr<Banco> b, float fc = 1) {
        b->j().fc = fc;
        b->disegna("Testo", spec);
        return riquadroInchiostro(b->pagina()).height() / b->pxPerMm;
    };
    const double carta = altezzaMm(std::make_unique<Banco>(150));
    // A 20-point capital H is about 5 mm high.
    EXPECT_NEAR(carta, 20 * 25.4 / 72 * 0.716, 0.4);
    EXPECT_NEAR(altezzaMm(std::make_unique<Banco>(300)), carta, 0.3);
    EXPECT_NEAR(altezzaMm(Banco::schermo(1)), carta, 0.4);
    EXPECT_NEAR(altezzaMm(Banco::schermo(2)), carta, 0.3);
    // The factor shrinks texts on paper only.
    EXPECT_NEAR(altezzaMm(std::make_unique<Banco>(300), 0.8f), carta * 0.8, 0.3);
    EXPECT_NEAR(altezzaMm(Banco::schermo(1), 0.8f), carta, 0.4);
}

TEST(Commands, TextColoursBackgroundAndAngle) {
    struct Case {
        const char* extra;
        bool attivo;
        QColor atteso;
    } cases[] = {
        {"|Col=255|", true, kRosso},
        {"|Col=65280|", false, kGrigio},
        {"|Col=0|", false, kVerde},
    };
    for (const Case& c : cases) {
        auto b = Banco::schermo();
        b->disegna("Testo",
                   QStringLiteral("|Testo=MMMM|x1=10|y1=10|Altezza=20|Grassetto=True") +
                       QString::fromUtf8(c.extra),
                   c.attivo);
        EXPECT_GT(contaColore(b->pagina(), b->r(10, 10, 40, 10), c.atteso), 20) << c.extra;
    }
    // Opaque background fills the text's cell.
    auto b = banco(true);
    b->disegna("Testo", "|Testo=i i|x1=10|y1=10|Altezza=20|Col=0|Opaco=True|ColoreOpaco=255|");
    const QImage img = b->pagina();
    EXPECT_GT(contaColore(img, b->r(10, 10, 10, 6), kRosso), 100);
    // Turned by 90 degrees, the text runs upwards from its corner.
    auto v = banco(true);
    v->disegna("Testo", "|Testo=MMMMMM|x1=50|y1=80|Altezza=20|Col=0|Angolo=90|");
    const QRect box = riquadroInchiostro(v->pagina());
    EXPECT_GT(box.height(), box.width() * 2);
    EXPECT_LE(box.bottom(), v->p(50, 80).y() + 2);
}

TEST(Commands, TextWidthAndHeightInMillimetresAtAnyZoom) {
    auto carta = banco(true);
    const float w = carta->j().TextWidth("Relazione di calcolo");
    const float h = carta->j().TextHeight("Relazione di calcolo");
    EXPECT_GT(w, 20.0f);
    EXPECT_GT(h, 2.0f);
    for (float zoom : {1.0f, 2.0f, 0.5f}) {
        auto b = Banco::schermo(zoom);
        b->j().Pic_VisualizzaOggetto("New Page", "", true);  // picture scale in paper mm
        EXPECT_NEAR(b->j().TextWidth("Relazione di calcolo"), w, w * 0.03) << zoom;
        EXPECT_NEAR(b->j().TextHeight("Relazione di calcolo"), h, h * 0.05) << zoom;
    }
}

TEST(Commands, EstraiRigaDescr) {
    const QString due = "Primo rigo\r\nSecondo rigo";
    const QString lungo = QString(20, 'A') + " BBB";
    struct Case {
        QString testo;
        int16_t nCar, nn;
        QString riga;
        int16_t nnDopo;
    } cases[] = {
        {due, 50, 1, "Primo rigo", 1},
        {due, 50, 2, "Secondo rigo", 2},
        {due, 50, 3, "", 0},
        {lungo, 12, 1, QString(12, 'A'), 1},
        {lungo, 22, 1, QString(20, 'A'), 1},
        {lungo, 22, 2, "BBB", 2},
        {"uno due tre quattro cinque", 10, 1, "uno due", 1},
        {"uno due tre quattro cinque", 10, 2, "tre quattr", 2},
        {"A\r\n\r\nB", 10, 2, " ", 2},
        {"A\r\n\r\nB", 10, 3, "B", 3},
        {"Testo qualsiasi", 10, 0, "", 0},
        {"Testo qualsiasi", 0, 1, "", 0},
    };
    for (const Case& c : cases) {
        int16_t nn = c.nn;
        EXPECT_EQ(clsModStampa::estraiRigaDescr(nn, c.testo, c.nCar), c.riga)
            << c.testo.toStdString() << " " << c.nCar << " " << c.nn;
        EXPECT_EQ(nn, c.nnDopo) << c.testo.toStdString() << " " << c.nn;
    }
}

TEST(Commands, MemoRecordsItsLinesAsTexts) {
    JobFixture f;
    f.j().setAnteprima(true);
    const QString coda = "|Carattere=Arial|Altezza=10|Col=0|";
    auto memo = [&](const QString& testo, int nCar, double y) {
        f.j().PaginaCorrente()->Comandi().clear();
        f.j().StampaMemo(QStringLiteral("|Testo=%1|x1=10|y1=%2|NCar=%3|Interlinea=5")
                                 .arg(testo)
                                 .arg(specifica::dueDecimali(y))
                                 .arg(nCar) +
                             coda,
                         true);
        QStringList specs;
        for (const auto& c : f.j().PaginaCorrente()->Comandi()) {
            EXPECT_EQ(c->NomeComando, "Testo");
            specs << c->StringaComando;
        }
        return specs;
    };
    EXPECT_EQ(memo("Breve", 50, 20), QStringList({"|Testo=Breve|x1=10,00|y1=20,00" + coda}));
    EXPECT_EQ(memo("Primo rigo\r\nSecondo rigo", 50, 20),
              QStringList({"|Testo=Primo rigo|x1=10,00|y1=20,00" + coda,
                           "|Testo=Secondo rigo|x1=10,00|y1=25,00" + coda}));
    EXPECT_EQ(
        memo("Sopra\r\n\r\nSotto", 50, 20),
        QStringList({"|Testo=Sopra|x1=10,00|y1=20,00" + coda, "|Testo= |x1=10,00|y1=25,00" + coda,
                     "|Testo=Sotto|x1=10,00|y1=30,00" + coda}));
    EXPECT_TRUE(memo("Niente", 0, 20).isEmpty());

    // At the foot of the page the rest is replaced by the notice.
    const double fondo = f.j().superficieStampante().scaleHeight();
    const QStringList piede = memo("uno\r\ndue\r\ntre\r\nquattro", 50, fondo - 12);
    ASSERT_EQ(piede.size(), 3);
    EXPECT_TRUE(piede[1].startsWith("|Testo=due|"));
    EXPECT_EQ(piede[2],
              "|Testo=Rimanente Testo oltre la pagina.|x1=100|y1=" + specifica::dueDecimali(fondo) +
                  "|Carattere=Courier New|Altezza=8|Col=0|Angolo=0|Grassetto=False|"
                  "Sottolineato=False|Barrato=False|Corsivo=False|Opaco=True|"
                  "ColoreOpaco=65280|NCar=0|");
    // Without its font part the memo fails before anything is printed.
    f.j().PaginaCorrente()->Comandi().clear();
    EXPECT_THROW(f.j().StampaMemo("|Testo=a|NCar=5|", true), Errore);
    EXPECT_TRUE(f.j().PaginaCorrente()->Comandi().isEmpty());
}

TEST(Commands, MemoOnPaperWrapsToTheWidth) {
    auto b = banco(true);
    b->j().StampaMemo(
        "|Testo=Prima parola seconda parola terza parola|x1=10|y1=10|NCar=14|"
        "Interlinea=10|Carattere=Arial|Altezza=12|Col=0|",
        true);
    const QImage img = b->pagina();
    // Three lines, ten millimetres apart.
    for (double y : {10.0, 20.0, 30.0}) EXPECT_GT(inchiostro(img, b->r(10, y, 40, 5)), 10) << y;
    EXPECT_EQ(inchiostro(img, b->r(10, 40, 60, 10)), 0);
}

TEST(Commands, FailuresShowTheCommandsMessage) {
    struct Case {
        const char* nome;
        const char* riga;
        bool errStampa;
    } cases[] = {
        {"Linea", "Errore nella Stampa della Linea.", false},
        {"Rettangolo", "Errore nella Stampa del Rettangolo.", false},
        {"Cerchio", "Errore nella Stampa del Cerchio.", false},
        {"Arco", "Errore nella Stampa dell'Arco.", true},
        {"Polilinea", "Errore nella Stampa della Polilinea.", false},
        {"Superficie", "Errore nella Stampa della Superficie.", false},
        {"Testo", "Errore nella Stampa del Testo.", false},
        {"Immagine", "Errore nella Stampa dell'Immagine.", false},
    };
    for (const Case& c : cases) {
        auto b = banco(true);
        const QString spec = "|Testo=x|Altezza=10|nVert=2|x1=abc|y1=3|Col=0|";
        b->f.prompter.answerMessage();
        b->disegna(c.nome, spec);
        ASSERT_EQ(b->f.prompter.messages().size(), 1) << c.nome;
        EXPECT_EQ(b->f.prompter.messages()[0], QString::fromUtf8(c.riga) + "\n" +
                                                   descrizioneErrore(ErrTipo) +
                                                   "\nSpecifica di Stampa:\n" + spec);
        EXPECT_EQ(b->f.prompter.shown()[0].title, titoloLibreria());
        EXPECT_EQ(b->f.prompter.beeps(), 1) << c.nome;
        EXPECT_EQ(b->j().errStampa, c.errStampa) << c.nome;
    }
    // A line style the pen does not have.
    auto b = banco(true);
    b->f.prompter.answerMessage();
    b->disegna("Linea", "|x1=1|y1=1|x2=5|y2=5|TipoCont=9|");
    ASSERT_EQ(b->f.prompter.messages().size(), 1);
    EXPECT_TRUE(b->f.prompter.messages()[0].startsWith("Errore nella Stampa della Linea.\n"));
}

TEST(Commands, PicturesAtNaturalSizeStretchedAndMissing) {
    QTemporaryDir dir;
    QImage rossa(96, 48, QImage::Format_RGB32);
    rossa.fill(Qt::red);
    const QString png = dir.filePath("logo.png");
    ASSERT_TRUE(rossa.save(png));
    const QString jpg = dir.filePath("logo.jpg");
    ASSERT_TRUE(rossa.save(jpg));

    // 96 pixels of the screen are 25.4 mm.
    for (const QString& file : {png, jpg}) {
        auto b = banco(true);
        b->disegna("Immagine", "|x1=10|y1=10|L=0|H=0|Percorso= " + file + " |");
        const QImage img = b->pagina();
        const QRect box = riquadroInchiostro(img);
        EXPECT_NEAR(box.left(), b->p(10, 10).x(), 1);
        EXPECT_NEAR(box.width(), 25.4 * b->pxPerMm, 2) << file.toStdString();
        EXPECT_NEAR(box.height(), 12.7 * b->pxPerMm, 2);
    }
    {
        auto b = Banco::schermo(2);
        b->disegna("Immagine", "|x1=10|y1=10|L=40|H=20|Percorso=" + png + "|");
        const QRect box = riquadroInchiostro(b->pagina());
        EXPECT_NEAR(box.width(), 40 * b->pxPerMm, 2);
        EXPECT_NEAR(box.height(), 20 * b->pxPerMm, 2);
    }
    {
        // A one-pixel red GIF, stretched.
        const QString gif = dir.filePath("punto.gif");
        QFile g(gif);
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
        g.write(
            QByteArray::fromHex("4749463839610100010080000"
                                "0ff000000000021f90400000000"
                                "002c00000000010001000002024401003b"));
        g.close();
        auto b = banco(true);
        b->disegna("Immagine", "|x1=10|y1=10|L=20|H=10|Percorso=" + gif + "|");
        const QImage img = b->pagina();
        EXPECT_EQ(img.pixelColor(b->p(20, 15)), kRosso);
        EXPECT_TRUE(bianco(img.pixelColor(b->p(32, 15))));
    }
    {
        // Zero height: nothing visible.
        auto b = banco(true);
        b->disegna("Immagine", "|x1=10|y1=10|L=50|H=0|Percorso=" + png + "|");
        b->j().printer().beginDoc();
        EXPECT_FALSE(riquadroInchiostro(b->pagina()).isValid());
    }
    {
        // Highlighted: a light-green frame around it.
        auto b = Banco::schermo();
        b->disegna("Immagine", "|x1=10|y1=10|L=40|H=20|Percorso=" + png + "|", false);
        const QImage img = b->pagina();
        EXPECT_EQ(img.pixelColor(b->p(30, 10)), kVerde);
        EXPECT_EQ(img.pixelColor(b->p(50, 20)), kVerde);
        EXPECT_EQ(img.pixelColor(b->p(30, 20)), kRosso);
        EXPECT_EQ(b->pic->drawWidth(), 1);
    }
    {
        auto b = banco(true);
        const QString assente = dir.filePath("manca.png");
        b->f.prompter.answerMessage();
        b->disegna("Immagine", "|x1=10|y1=10|Percorso=" + assente + "|");
        EXPECT_EQ(b->f.prompter.messages(),
                  QStringList({"L'Immagine specificata: " + assente + "\n, non esiste."}));
        EXPECT_FALSE(b->j().printer().isPrinting());
    }
    {
        // A file the loader cannot read.
        const QString rotto = dir.filePath("rotto.png");
        QFile f(rotto);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("non è un'immagine");
        f.close();
        auto b = banco(true);
        b->f.prompter.answerMessage();
        b->disegna("Immagine", "|x1=10|y1=10|Percorso=" + rotto + "|");
        ASSERT_EQ(b->f.prompter.messages().size(), 1);
        EXPECT_TRUE(b->f.prompter.messages()[0].startsWith(
            "Errore nella stampa dell'Immagine specificata: " + rotto + "\n\n"));
    }
}

TEST(Commands, ReplayOnPrinterGoesOnAfterAFailureAndRestoresTheSwitches) {
    Banco b;
    platform::PictureSurface pic(100, 100);
    b.j().setAnteprima(true);
    b.j().stampaLinea("|x1=10|y1=20|x2=60|y2=20|SpesCont=0,5|Col=255|", true);
    b.j().StampaMemo("|Testo=a|x1=1|y1=1|NCar=5|Carattere=Arial|Altezza=10|", true);
    b.j().AggiungiClasseComando("Testo Esteso", "|Testo=senza carattere|NCar=5|");
    b.j().AggiungiClasseComando("Campo Cliente", "|x1=1|");
    b.j().stampacerchio("|x1=50|y1=60|x2=60|y2=60|Campitura=6|ColCamp=255|Col=255|", true);
    b.j().newPage();
    ASSERT_EQ(
        namesOf(*(*b.j().Pagine())[0]),
        QStringList({"Linea", "Testo", "Testo Esteso", "Campo Cliente", "Cerchio", "New Page"}));
    b.j().stato().PicPrinter = &pic;
    b.f.prompter.answerMessage();
    b.j().StampaPagina(1);
    ASSERT_EQ(b.f.prompter.shown().size(), 1);
    EXPECT_EQ(b.f.prompter.shown()[0].title, "Stampa Pagina");
    EXPECT_EQ(b.f.prompter.shown()[0].text,
              "Errore N.5- " + descrizioneErrore(5) + " Linea errore 3\n");
    EXPECT_TRUE(b.j().anteprima());
    EXPECT_EQ(b.j().OutputStampa, &pic);
    EXPECT_EQ(b.j().PaginaCorrente()->Comandi().size(), 0);
    const QImage img = b.pagina();
    EXPECT_EQ(img.pixelColor(b.p(30, 20)), kRosso);
    EXPECT_EQ(img.pixelColor(b.p(50, 60)), kRosso);  // after the failing command
    EXPECT_GT(inchiostro(img, b.r(0, 0, 8, 8)), 0);  // the text "a"
}

TEST(Commands, PreviewReplayAtZoomAndAfterFailures) {
    auto b = Banco::schermo(2);
    b->j().stampaLinea("|x1=10|y1=20|x2=60|y2=20|SpesCont=0|Col=255|", true);
    b->j().AggiungiClasseComando("Testo Esteso", "|Testo=senza carattere|NCar=5|");
    b->j().stampaLinea("|x1=10|y1=40|x2=60|y2=40|SpesCont=0|Col=255|", true);
    b->j().newPage();
    b->f.prompter.answerMessage();
    b->j().VisualizzaPaginaAnteprima(1);
    ASSERT_EQ(b->f.prompter.shown().size(), 1);
    EXPECT_EQ(b->f.prompter.shown()[0].title, "clsModStampa.VisualizzaPaginaAnteprima");
    EXPECT_TRUE(b->f.prompter.shown()[0].text.startsWith("5- "));
    const QImage img = b->pagina();
    // One unit of the picture is one millimetre of paper at twice the size.
    EXPECT_EQ(img.pixelColor(int(59 * b->pxPerMm), int(20 * b->pxPerMm)), kRosso);
    EXPECT_EQ(img.pixelColor(int(59 * b->pxPerMm), int(40 * b->pxPerMm)), kRosso);
    EXPECT_TRUE(b->j().anteprima());
    EXPECT_EQ(b->pic->scaleMode(), platform::vbUser);
    EXPECT_NEAR(b->pic->scaleWidth(), 100, 0.5);

    // A page that does not exist: reported, switches back.
    b->f.prompter.answerMessage();
    b->j().VisualizzaPaginaAnteprima(7);
    ASSERT_EQ(b->f.prompter.shown().size(), 2);
    EXPECT_TRUE(b->f.prompter.shown()[1].text.startsWith("9- "));
    EXPECT_TRUE(b->j().anteprima());
    EXPECT_EQ(b->pic->scaleMode(), platform::vbMillimeters);
}

TEST(Commands, PercTextAndFactor) {
    JobFixture f;
    struct Case {
        float dato, salvato;
    } cases[] = {{1.5f, 1}, {0, 1}, {-2, 1}, {0.8f, 0.8f}, {1, 1}};
    for (const Case& c : cases) {
        float v = c.dato;
        EXPECT_EQ(f.j().put_PercText(&v), com::S_OK);
        float letto = 0;
        EXPECT_EQ(f.j().get_PercText(&letto), com::S_OK);
        EXPECT_FLOAT_EQ(letto, c.salvato) << c.dato;
        EXPECT_EQ(f.j().put_fc(c.dato), com::S_OK);
        f.j().get_fc(&letto);
        EXPECT_FLOAT_EQ(letto, c.salvato) << c.dato;
    }
    EXPECT_EQ(f.settings.get(titoloLibreria(), "FattoreStampa", "Testo", ""), "1");
    f.settings.save(titoloLibreria(), "FattoreStampa", "Testo", "molto");
    float letto = 0;
    EXPECT_TRUE(com::FAILED(f.j().get_PercText(&letto)));
}

TEST(Commands, MissingFontFallsBackAndBarcodeFontIsKnown) {
    for (bool carta : {true, false}) {
        auto b = banco(carta);
        b->disegna("Testo",
                   "|Testo=Carico neve|x1=10|y1=10|Altezza=12|Col=0|"
                   "Carattere=Carattere Che Non Esiste|");
        EXPECT_GT(inchiostro(b->pagina(), b->r(10, 10, 40, 8)), 20) << carta;
        EXPECT_TRUE(b->f.prompter.shown().isEmpty());
    }
    // The job registers the library's barcode font under the name models use.
    JobFixture f;
    EXPECT_TRUE(QFontDatabase::families().contains(BarcodeFont::family()));
}
