// Renders encoded symbols in the library's barcode font and reads them back with a real
// barcode reader (zbarimg), at several sizes and resolutions.

#include "BarcodeFont.h"
#include "UPCEAN.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kNominalModuleMm = 0.33;

QImage blankPage(int width, int height, int dpi) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

QFont barcodeFont(const QString& name, double points) {
    QFont font(name);
    font.setPointSizeF(points);
    return font;
}

// The text drawn with its cell's top-left corner at the image's top-left corner, as the
// print engine places texts, on an image exactly as wide as the text's advance (the quiet
// zones must come from the font) and reaching down to the foot of the symbol's ink.
// extraWidth leaves room after the advance, to see whether any ink falls there.
QImage renderText(const QString& text, const QString& fontName, double points, int dpi,
                  int extraWidth = 0) {
    const QFont font = barcodeFont(fontName, points);
    const QImage probe = blankPage(1, 1, dpi);
    const QFontMetricsF metrics(font, &probe);
    const double foot = metrics.ascent() + metrics.boundingRect(text).bottom();
    QImage image = blankPage(int(std::ceil(metrics.horizontalAdvance(text))) + extraWidth,
                             int(std::ceil(foot)), dpi);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, metrics.ascent()), text);
    painter.end();
    return image;
}

struct Symbology {
    const char* name;
    std::function<QString(const QString&)> encode;
    QStringList readerOptions;  // enable only this symbology
    const char* readerType;
};

const Symbology kEan13{"EAN-13", UPCEAN::CodificaEAN13, {"-Sdisable", "-Sean13.enable"}, "EAN-13"};
const Symbology kEan8{"EAN-8", UPCEAN::CodificaEAN8, {"-Sdisable", "-Sean8.enable"}, "EAN-8"};
// The reader decodes UPC-A through its EAN-13 decoder, so that one stays on.
const Symbology kUpcA{
    "UPC-A", UPCEAN::CodificaUPCA, {"-Sdisable", "-Sean13.enable", "-Supca.enable"}, "UPC-A"};
const Symbology kUpcE{"UPC-E", UPCEAN::CodificaUPCE, {"-Sdisable", "-Supce.enable"}, "UPC-E"};

struct SymbolCase {
    const Symbology* symbology;
    const char* code;
    const char* decoded;  // what the reader must report, check digit included
};

// The examples of each symbology, then codes that between them use every parity row.
const SymbolCase kExamples[] = {
    {&kEan13, "400638133393", "4006381333931"},
    {&kEan8, "9638507", "96385074"},
    {&kUpcA, "03600029145", "036000291452"},
    {&kUpcE, "123456", "01234565"},
};
const SymbolCase kParityRows[] = {
    {&kEan13, "012345678901", "0123456789012"},
    {&kEan13, "112345678901", "1123456789011"},
    {&kEan13, "212345678901", "2123456789010"},
    {&kEan13, "312345678901", "3123456789019"},
    {&kEan13, "412345678901", "4123456789018"},
    {&kEan13, "512345678901", "5123456789017"},
    {&kEan13, "612345678901", "6123456789016"},
    {&kEan13, "712345678901", "7123456789015"},
    {&kEan13, "812345678901", "8123456789014"},
    {&kEan13, "912345678901", "9123456789013"},
    {&kEan8, "1234567", "12345670"},
    {&kEan8, "0000000", "00000000"},
    {&kUpcA, "12345678901", "123456789012"},
    {&kUpcA, "98765", "000000987653"},
    {&kUpcE, "115838", "01158380"},
    {&kUpcE, "171271", "01712711"},
    {&kUpcE, "139595", "01395952"},
    {&kUpcE, "123757", "01237573"},
    {&kUpcE, "202947", "02029474"},
    {&kUpcE, "226704", "02267045"},
    {&kUpcE, "131676", "01316766"},
    {&kUpcE, "107919", "01079197"},
    {&kUpcE, "187109", "01871098"},
    {&kUpcE, "100000", "01000009"},
    {&kUpcE, "123452", "01234523"},
    {&kUpcE, "123453", "01234531"},
    {&kUpcE, "425261", "04252614"},
};

class BarcodeRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "barcode_render_tests";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);  // lives for the whole test program
        }
        ASSERT_TRUE(BarcodeFont::registerFont());
    }

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Saves the image for the reader; checkReadings() reads every queued image, one reader
    // run per symbology, and expects "TYPE:digits" from each.
    void expectReading(const QImage& image, const Symbology& symbology, const QString& expected,
                       const std::string& label) {
        const QString file = dir.filePath(QString("symbol%1.pgm").arg(pending.size() + 1));
        ASSERT_TRUE(image.save(file)) << file.toStdString();
        pending.push_back({&symbology, file, expected, label});
    }

    void checkReadings() {
        QList<const Symbology*> symbologies;
        for (const Pending& p : pending)
            if (!symbologies.contains(p.symbology)) symbologies.append(p.symbology);
        for (const Symbology* symbology : symbologies) {
            QStringList files;
            for (const Pending& p : pending)
                if (p.symbology == symbology) files << p.file;
            QString failure;
            const QHash<QString, QStringList> read =
                readFiles(files, symbology->readerOptions, &failure);
            ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
            for (const Pending& p : pending) {
                if (p.symbology != symbology) continue;
                EXPECT_EQ(read.value(p.file), QStringList{p.expected}) << p.label;
            }
        }
        pending.clear();
    }

    // The symbols the reader finds in each file, as "TYPE:data".
    static QHash<QString, QStringList> readFiles(const QStringList& files,
                                                 const QStringList& options, QString* failure) {
        QHash<QString, QStringList> found;
        QProcess reader;
        reader.start(QStringLiteral(TESSARO_ZBARIMG), QStringList{"-q", "--xml"} + options + files);
        if (!reader.waitForStarted()) {
            *failure = "zbarimg not found (scripts/install-deps installs zbar-tools)";
            return found;
        }
        if (!reader.waitForFinished(60000)) {
            reader.kill();
            reader.waitForFinished();
            *failure = "zbarimg did not finish";
            return found;
        }
        QXmlStreamReader xml(reader.readAllStandardOutput());
        QString source, type;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            if (xml.name() == u"source") source = xml.attributes().value("href").toString();
            if (xml.name() == u"symbol") type = xml.attributes().value("type").toString();
            if (xml.name() == u"data") found[source] << type + ':' + xml.readElementText();
        }
        if (xml.hasError()) *failure = "zbarimg output: " + xml.errorString();
        return found;
    }

    struct Pending {
        const Symbology* symbology;
        QString file;
        QString expected;
        std::string label;
    };
    QTemporaryDir dir;
    QList<Pending> pending;
};

QString expectedReading(const SymbolCase& c) {
    return QString::fromLatin1(c.symbology->readerType) + ':' + QString::fromLatin1(c.decoded);
}

TEST_F(BarcodeRenderTest, EveryParityRowDecodesAt20PointsAnd300Dpi) {
    for (const SymbolCase& c : kParityRows) {
        const QString text = c.symbology->encode(QString::fromLatin1(c.code));
        const QImage image = renderText(text, BarcodeFont::family(), 20, 300);
        expectReading(image, *c.symbology, expectedReading(c),
                      std::string(c.symbology->name) + ' ' + c.code);
    }
    checkReadings();
}

TEST_F(BarcodeRenderTest, ExamplesDecodeAtOtherSizesAndResolutions) {
    struct {
        double points;
        int dpi;
    } sizes[] = {{20, 300}, {16, 600}, {24, 150}, {20, 150}};
    for (const auto& size : sizes) {
        for (const SymbolCase& c : kExamples) {
            const QString text = c.symbology->encode(QString::fromLatin1(c.code));
            const QImage image = renderText(text, BarcodeFont::family(), size.points, size.dpi);
            expectReading(image, *c.symbology, expectedReading(c),
                          QString("%1 %2 at %3 pt, %4 dpi")
                              .arg(c.symbology->name, c.code)
                              .arg(size.points)
                              .arg(size.dpi)
                              .toStdString());
        }
    }
    checkReadings();
}

TEST_F(BarcodeRenderTest, TheProposedFontNamePrintsTheSameSymbols) {
    EXPECT_EQ(QFontInfo(QFont(BarcodeFont::proposedFontName())).family(), BarcodeFont::family());
    for (const SymbolCase& c : kExamples) {
        const QString text = c.symbology->encode(QString::fromLatin1(c.code));
        const QImage image = renderText(text, BarcodeFont::proposedFontName(), 20, 300);
        expectReading(image, *c.symbology, expectedReading(c),
                      std::string(c.symbology->name) + ' ' + c.code);
    }
    checkReadings();
}

TEST_F(BarcodeRenderTest, ReaderWithItsDefaultSettingsReadsEverySymbol) {
    // Out of the box the reader reports UPC-A and UPC-E as EAN-13 numbers.
    const struct {
        const SymbolCase& symbol;
        const char* reading;
    } cases[] = {{kExamples[0], "EAN-13:4006381333931"},
                 {kExamples[1], "EAN-8:96385074"},
                 {kExamples[2], "EAN-13:0036000291452"},
                 {kExamples[3], "EAN-13:0012345000065"}};
    QStringList files;
    for (const auto& c : cases) {
        const QString text = c.symbol.symbology->encode(QString::fromLatin1(c.symbol.code));
        files << dir.filePath(QString("default%1.pgm").arg(files.size()));
        ASSERT_TRUE(renderText(text, BarcodeFont::family(), 20, 300).save(files.last()));
    }
    QString failure;
    const QHash<QString, QStringList> read = readFiles(files, {}, &failure);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    for (int i = 0; i < files.size(); ++i)
        EXPECT_EQ(read.value(files[i]), QStringList{cases[i].reading});
}

TEST_F(BarcodeRenderTest, RegisteringAgainChangesNothing) {
    const int familiesBefore = QFontDatabase::families().count(BarcodeFont::family());
    ASSERT_TRUE(BarcodeFont::registerFont());
    ASSERT_TRUE(BarcodeFont::registerFont());
    EXPECT_EQ(QFontDatabase::families().count(BarcodeFont::family()), familiesBefore);
    // The substitution table keeps names in lower case.
    const QStringList substitutes = QFont::substitutes(BarcodeFont::proposedFontName());
    EXPECT_EQ(std::count_if(substitutes.begin(), substitutes.end(),
                            [](const QString& name) {
                                return name.compare(BarcodeFont::family(), Qt::CaseInsensitive) ==
                                       0;
                            }),
              1)
        << substitutes.join(", ").toStdString();
}

// Column ranges of ink along one row.
struct InkRun {
    int first;
    int last;
};

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

std::vector<InkRun> darkRunsInRow(const QImage& image, int y) {
    std::vector<InkRun> runs;
    for (int x = 0; x < image.width(); ++x) {
        if (!dark(image, x, y)) continue;
        int end = x;
        while (end + 1 < image.width() && dark(image, end + 1, y)) ++end;
        runs.push_back({x, end});
        x = end;
    }
    return runs;
}

// Length of the ink from the top down a column.
int inkFromTop(const QImage& image, int x) {
    int y = 0;
    while (y < image.height() && !dark(image, x, y)) ++y;
    int length = 0;
    while (y < image.height() && dark(image, x, y)) ++y, ++length;
    return length;
}

TEST_F(BarcodeRenderTest, SymbolKeepsTheStandardProportions) {
    struct {
        double points;
        int dpi;
    } sizes[] = {{20, 300}, {16, 600}, {24, 300}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.points << " pt, " << size.dpi << " dpi");
        const QImage image = renderText(UPCEAN::CodificaEAN13("400638133393"),
                                        BarcodeFont::family(), size.points, size.dpi);
        // A row through the bars, a third of the way down.
        const std::vector<InkRun> bars = darkRunsInRow(image, image.height() / 3);
        ASSERT_EQ(bars.size(), 30u);  // 2 x 3 guard bars, 12 digits of two bars each
        const int left = bars.front().first, right = bars.back().last;
        const double module = (right - left + 1) / 95.0;
        const double moduleMm = module * kMmPerInch / size.dpi;
        EXPECT_NEAR(moduleMm, kNominalModuleMm * size.points / 20, 0.01);
        // Quiet zones inside the text's own advance: 11 modules before, 7 after.
        EXPECT_GE(left, 11 * module - 1);
        EXPECT_GE(image.width() - 1 - right, 7 * module - 1);
        // Guard bars run 5 modules below the digit bars; digit bars are 69 modules.
        const int guard = inkFromTop(image, left + int(module / 2));
        const int digitBar = inkFromTop(image, bars[2].first + 1);  // first digit's first bar
        EXPECT_NEAR(digitBar / module, 69, 1);
        EXPECT_NEAR((guard - digitBar) / module, 5, 0.5);
        // The human-readable digits: the first in the quiet zone, the others under the bars.
        const int textRow = image.height() - int(3 * module);
        bool firstDigit = false, underBars = false;
        for (const InkRun& r : darkRunsInRow(image, textRow)) {
            if (r.last < left) firstDigit = true;
            if (r.first > bars[2].last && r.last < bars[14].first) underBars = true;
        }
        EXPECT_TRUE(firstDigit);
        EXPECT_TRUE(underBars);
    }
}

TEST_F(BarcodeRenderTest, CellIsThatOfATextFaceWithTheBarsAtItsTop) {
    // The preview asks for fonts by cell height (22.388 / 20 of the point size), paper by
    // character height: a cell of that proportion draws the symbol at one size on both.
    QFont font(BarcodeFont::family());
    font.setPixelSize(1000);
    const QFontMetricsF metrics(font);
    EXPECT_NEAR(metrics.ascent() + metrics.descent(), 1000 * 22.388 / 20, 2);

    const QImage image =
        renderText(UPCEAN::CodificaEAN13("400638133393"), BarcodeFont::family(), 20, 300);
    int top = 0;
    while (top < image.height() && darkRunsInRow(image, top).empty()) ++top;
    EXPECT_LE(top, 1);
    // The symbol is far taller than its cell: 78 modules of 0.33 mm.
    EXPECT_NEAR(image.height() * kMmPerInch / 300, 78 * kNominalModuleMm, 0.5);
}

TEST_F(BarcodeRenderTest, InkStaysWithinTheAdvance) {
    // Whatever follows the symbol on the line must not touch it, digits outside included.
    const QFont font = barcodeFont(BarcodeFont::family(), 20);
    const QImage probe = blankPage(1, 1, 300);
    const QFontMetricsF metrics(font, &probe);
    for (const SymbolCase& c : kExamples) {
        const QString text = c.symbology->encode(QString::fromLatin1(c.code));
        const int advance = int(std::ceil(metrics.horizontalAdvance(text)));
        const QImage image = renderText(text, BarcodeFont::family(), 20, 300, 100);
        int lastInk = -1;
        for (int y = 0; y < image.height(); ++y)
            for (const InkRun& r : darkRunsInRow(image, y)) lastInk = std::max(lastInk, r.last);
        EXPECT_GT(lastInk, advance / 2) << c.symbology->name;
        EXPECT_LT(lastInk, advance) << c.symbology->name;
    }
}

TEST_F(BarcodeRenderTest, PdfEmbedsTheFontAndDecodes) {
    const QString pdf = dir.filePath("symbol.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A6));
        QPainter painter(&writer);
        painter.setFont(barcodeFont(BarcodeFont::proposedFontName(), 20));
        const QFontMetricsF metrics(painter.font(), &writer);
        painter.drawText(QPointF(1200 * 0.3, 1200 * 0.3 + metrics.ascent()),
                         UPCEAN::CodificaEAN13("400638133393"));
    }
    QProcess raster;
    raster.start("pdftoppm", {"-r", "300", "-png", "-singlefile", pdf, dir.filePath("page")});
    ASSERT_TRUE(raster.waitForStarted())
        << "pdftoppm not found (scripts/install-deps installs poppler-utils)";
    ASSERT_TRUE(raster.waitForFinished(30000));
    ASSERT_EQ(raster.exitCode(), 0) << raster.readAllStandardError().toStdString();
    const QString page = dir.filePath("page.png");
    QString failure;
    EXPECT_EQ(readFiles({page}, kEan13.readerOptions, &failure).value(page),
              QStringList{"EAN-13:4006381333931"})
        << failure.toStdString();
}

}  // namespace
