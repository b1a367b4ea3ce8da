// "Codice a Barre" commands of a model, printed by the engine on paper at 300 dpi,
// on the preview's page picture and by "velmora render", read back by a real
// barcode reader (zbarimg).

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "JobTestSupport.h"
#include "Surface.h"

using namespace velmora;

namespace {

struct Simbolo {
    const char* tipo;
    const char* codice;
    double y;             // top of the symbol on the page, mm
    const char* lettura;  // what the reader reports, check digit included
};

// As the model fixture holds them.
const Simbolo kSimboli[] = {
    {"EAN13", "400638133393", 20, "EAN-13:4006381333931"},
    {"EAN8", "9638507", 70, "EAN-8:96385074"},
    {"UPC-A", "03600029145", 120, "UPC-A:036000291452"},
    {"UPC-E", "123456", 170, "UPC-E:01234565"},
};

QString spec(const Simbolo& s, const QString& altezza = "20,00") {
    return QString(
               "|TipoCodice=%1|Campo=%2|x1=20,00|y1=%3|Carattere=MW6 UES|Altezza=%4|Col=0|"
               "Angolo=0|Grassetto=False|Sottolineato=False|Barrato=False|Corsivo=False|"
               "NCar=0|")
        .arg(s.tipo, s.codice)
        .arg(s.y)
        .arg(altezza);
}

// Readings of the symbols in one image, "TYPE:digits" each.
QStringList leggi(const QImage& img, QString* errore) {
    QTemporaryDir dir;
    const QString file = dir.filePath("s.png");
    if (!img.save(file)) {
        *errore = "cannot save the image";
        return {};
    }
    QProcess zbar;
    zbar.start(QStringLiteral(TESSARO_ZBARIMG),
               {"-q", "-Sdisable", "-Sean13.enable", "-Sean8.enable", "-Supca.enable",
                "-Supce.enable", file});
    if (!zbar.waitForStarted()) {
        *errore = "zbarimg not found (scripts/install-deps installs zbar-tools)";
        return {};
    }
    zbar.waitForFinished(60000);
    return QString::fromLatin1(zbar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Each symbol's band of the page, read on its own.
void controllaPagina(const QImage& pagina, double pxPerMm, const std::string& dove) {
    ASSERT_FALSE(pagina.isNull()) << dove;
    for (const Simbolo& s : kSimboli) {
        const QRect banda(0, int((s.y - 5) * pxPerMm), int(110 * pxPerMm), int(45 * pxPerMm));
        QString errore;
        const QStringList letture = leggi(pagina.copy(banda), &errore);
        ASSERT_TRUE(errore.isEmpty()) << errore.toStdString();
        EXPECT_EQ(letture, QStringList{s.lettura}) << dove << " " << s.tipo;
    }
}

}  // namespace

TEST(BarcodeCommand, EverySymbologyReadsOnPaperAt300Dpi) {
    JobFixture f{platform::Printer::rasterPrinterName()};
    f.j().printer().setResolution(300);
    // The printer's text factor does not shrink the bars.
    f.j().setFc(0.8f);
    for (const Simbolo& s : kSimboli) f.j().eseguiComando("Codice a Barre", spec(s), true);
    ASSERT_TRUE(f.j().printer().endDoc());
    ASSERT_EQ(f.j().printer().rasterPages().size(), 1);
    controllaPagina(f.j().printer().rasterPages()[0], 300 / 25.4, "paper");
    EXPECT_TRUE(f.prompter.shown().isEmpty());
}

TEST(BarcodeCommand, EverySymbologyReadsOnThePagePicture) {
    // The window's picture of a recorded page at three times the size.
    JobFixture f{platform::Printer::rasterPrinterName()};
    const float zoom = 3;
    const double pxPerMm = 96 / 25.4 * zoom;
    platform::PictureSurface pic(int(120 * pxPerMm), int(220 * pxPerMm), 96);
    f.j().setAnteprima(true);
    f.j().stato().PicPrinter = &pic;
    f.j().stato().FattoreScala = zoom;
    for (const Simbolo& s : kSimboli) f.j().AggiungiClasseComando("Codice a Barre", spec(s));
    f.j().newPage();
    f.j().VisualizzaPaginaAnteprima(1);
    controllaPagina(pic.image(), pxPerMm, "picture");
    EXPECT_TRUE(f.prompter.shown().isEmpty());
}

TEST(BarcodeCommand, ZeroHeightPrintsNothingAndOtherKindsPrintTheCode) {
    JobFixture f{platform::Printer::rasterPrinterName()};
    f.j().printer().setResolution(100);
    f.j().eseguiComando("Codice a Barre", spec(kSimboli[0], "0"), true);
    f.j().eseguiComando(
        "Codice a Barre",
        "|TipoCodice=Code39|Campo=ABC|x1=20|y1=100|Carattere=Arial|Altezza=20|Col=0|", true);
    ASSERT_TRUE(f.j().printer().endDoc());
    const QImage img = f.j().printer().rasterPages()[0];
    const double px = 100 / 25.4;
    auto inchiostro = [&](QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (img.pixelColor(x, y) != QColor(Qt::white)) ++n;
        return n;
    };
    EXPECT_EQ(inchiostro(QRect(0, 0, img.width(), int(90 * px))), 0);
    // The plain text "ABC", about 14 mm wide and 7 mm high, where the symbol would be.
    const int testo = inchiostro(QRect(int(20 * px), int(100 * px), int(30 * px), int(10 * px)));
    EXPECT_GT(testo, 50);
    EXPECT_EQ(inchiostro(QRect(int(50 * px), int(90 * px), int(60 * px), int(30 * px))), 0);
}

TEST(BarcodeCommand, VelmoraRenderOfAModel) {
    QTemporaryDir dir;
    auto render = [&](const QString& modello, const QString& out) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.filePath("cfg"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TESSARO_TEST_BIN_DIR "/velmora"),
                {"render", QStringLiteral(TESSARO_FIXTURES_DIR "/") + modello, "--out", out,
                 "--dpi", "300", "--page", "1"});
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QImage(out);
    };
    controllaPagina(render("barcodes.VLM", dir.filePath("codici.png")), 300 / 25.4,
                    "velmora render");
    // A model of fields and grids with a barcode among them.
    const QImage campi = render("fields.VLM", dir.filePath("campi.png"));
    ASSERT_FALSE(campi.isNull());
    const double px = 300 / 25.4;
    QString errore;
    EXPECT_EQ(leggi(campi.copy(0, int(145 * px), int(110 * px), int(45 * px)), &errore),
              QStringList{"EAN-13:4006381333931"});
    EXPECT_TRUE(errore.isEmpty()) << errore.toStdString();
}
