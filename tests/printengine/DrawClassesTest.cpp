// The drawing classes on the two paths the print commands use: a printer page
// (millimetres at the printer's resolution) and the preview's page picture (paper
// millimetres at a zoom factor). Positions are converted as the commands convert
// them, then pixels are checked where the shapes must land.

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "Arco.h"
#include "Cerchio.h"
#include "Linea.h"
#include "Rettangolo.h"
#include "Surface.h"
#include "SurfaceProbe.h"
#include "VbConv.h"
#include "polilinea.h"
#include "superficie.h"
#include "testo.h"

using namespace platform;
using probe::at;
using probe::ink;
using probe::isWhite;

namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kBlue = 0xFF0000;
constexpr int32_t kGreen = 0x00FF00;

// One output: a surface in paper millimetres, either a printer page or the preview.
class Output {
public:
    // Printer page at dpi.
    static std::unique_ptr<Output> printer(double dpi, double wMm = 80, double hMm = 60) {
        auto o = std::unique_ptr<Output>(new Output);
        o->image_ =
            QImage(int(wMm / 25.4 * dpi + 0.5), int(hMm / 25.4 * dpi + 0.5), QImage::Format_RGB32);
        o->image_.fill(Qt::white);
        const int dpm = int(dpi / 0.0254 + 0.5);
        o->image_.setDotsPerMeterX(dpm);
        o->image_.setDotsPerMeterY(dpm);
        o->painter_.begin(&o->image_);
        gdi::DeviceGeometry g;
        g.dpiX = g.dpiY = dpi;
        g.width = o->image_.width();
        g.height = o->image_.height();
        o->printer_ = std::make_unique<PainterSurface>(&o->painter_, g);
        o->printer_->setScaleMode(vbMillimeters);
        o->surface_ = o->printer_.get();
        return o;
    }
    // Preview picture at a zoom factor, screen at 96 dpi.
    static std::unique_ptr<Output> preview(double fattoreScala, double wMm = 80, double hMm = 60) {
        auto o = std::unique_ptr<Output>(new Output);
        o->fattore_ = fattoreScala;
        const double px = 96 / 25.4 * fattoreScala;
        o->picture_ = std::make_unique<PictureSurface>(int(wMm * px + 0.5), int(hMm * px + 0.5));
        o->picture_->setScaleMode(vbMillimeters);
        o->picture_->setScaleWidth(o->picture_->scaleWidth() / fattoreScala);
        o->picture_->setScaleHeight(o->picture_->scaleHeight() / fattoreScala);
        o->surface_ = o->picture_.get();
        return o;
    }

    Surface& s() { return *surface_; }
    gdi::HDC dc() { return surface_->hDC(); }
    bool onPrinter() const { return printer_ != nullptr; }
    float x(double mm) { return float(surface_->toPixelsX(mm)); }
    float y(double mm) { return float(surface_->toPixelsY(mm)); }
    QPoint px(double xmm, double ymm) { return QPoint(vb::CLng(x(xmm)), vb::CLng(y(ymm))); }
    float lineWidth(double spesCont) {
        return onPrinter() ? printerLineWidth(spesCont) : pictureLineWidth(spesCont, fattore_);
    }
    float textHeight(double altezza) {
        return onPrinter() ? printerTextHeight(altezza, 1, surface_->twipsPerPixelY())
                           : pictureTextHeight(altezza, fattore_, surface_->twipsPerPixelY());
    }
    const QImage& img() const { return picture_ ? picture_->image() : image_; }
    void save(const QString& path) const { img().save(path); }

private:
    Output() = default;
    QImage image_;
    QPainter painter_;
    std::unique_ptr<PainterSurface> printer_;
    std::unique_ptr<PictureSurface> picture_;
    Surface* surface_ = nullptr;
    double fattore_ = 1;
};

std::vector<std::unique_ptr<Output>> bothPaths() {
    std::vector<std::unique_ptr<Output>> v;
    v.push_back(Output::printer(300));
    v.push_back(Output::preview(1.5));
    return v;
}

void rectangle(Output& o, double l, double t, double r, double b, int32_t campitura,
               int32_t colCamp, int32_t col = 0, double spes = 0, int32_t tratt = 0) {
    Rettangolo ret;
    ret.setVertic(4);
    ret.DC = o.dc();
    ret.inser_vert_ret(o.x(l), o.y(t), 1);
    ret.inser_vert_ret(o.x(r), o.y(t), 2);
    ret.inser_vert_ret(o.x(r), o.y(b), 3);
    ret.inser_vert_ret(o.x(l), o.y(b), 4);
    ret.trattcont = tratt;
    ret.campitura = campitura;
    ret.colcont = col;
    ret.colocampitura = colCamp;
    ret.spescont = o.lineWidth(spes);
    ret.disrettangolo();
}

}  // namespace

TEST(DrawClasses, RectangleOutlineFillAndPenWidth) {
    for (auto& o : bothPaths()) {
        SCOPED_TRACE(o->onPrinter() ? "printer" : "preview");
        rectangle(*o, 10, 10, 40, 30, Solido, kBlue, kRed, 1);
        EXPECT_EQ(at(o->img(), o->px(25, 20).x(), o->px(25, 20).y()), uint32_t(kBlue));
        // Outline on the left side, as wide as the thickness converts.
        const QPoint left = o->px(10, 20);
        EXPECT_EQ(at(o->img(), left.x(), left.y()), uint32_t(kRed));
        int run = 0;
        for (int x = left.x() - 20; x <= left.x() + 20; ++x)
            run += at(o->img(), x, left.y()) == uint32_t(kRed);
        EXPECT_NEAR(run, vb::CLng(o->lineWidth(1)), 1);
        // Outside stays white.
        EXPECT_TRUE(isWhite(o->img().pixel(o->px(45, 20))));
        EXPECT_TRUE(isWhite(o->img().pixel(o->px(25, 35))));

        // Transparent fill: the device's brush (none) stays, the inside stays white.
        rectangle(*o, 50, 10, 70, 30, Trasparente, kBlue);
        EXPECT_TRUE(isWhite(o->img().pixel(o->px(60, 20))));
        EXPECT_FALSE(isWhite(o->img().pixel(o->px(50, 20))));
    }
}

TEST(DrawClasses, PenWidthsRoundHalvesToEven) {
    // 2.5 pixels is drawn 2 wide, 3.5 is drawn 4 wide.
    for (float w : {2.5f, 3.5f}) {
        PictureSurface pic(60, 60);
        polilinea pol;
        pol.DC = pic.hDC();
        pol.setVertic(2);
        pol.inser_vert_pol(10, 30, 1);
        pol.inser_vert_pol(50, 30, 2);
        pol.spescont = w;
        pol.disPolyline();
        EXPECT_EQ(probe::runDown(pic.image(), 30, 30), vb::CLng(w)) << w;
    }
}

TEST(DrawClasses, CircleRadiusFromTheTwoPointsAndHatch) {
    for (auto& o : bothPaths()) {
        SCOPED_TRACE(o->onPrinter() ? "printer" : "preview");
        Cerchio c;
        c.DC = o->dc();
        // The command converts all four with the horizontal conversion.
        c.Xcentro = o->x(30);
        c.Ycentro = o->x(30);
        c.Xpunto = o->x(50);
        c.YPunto = o->x(30);
        c.raggio = 999;  // not read
        c.campitura = LineeOrizzontali;
        c.colocampitura = kBlue;
        c.colcont = kRed;
        c.spescont = 1;
        c.discerchio();
        // Rim at 20 mm from the centre, left and right.
        EXPECT_GT(ink(o->img(), QRect(o->px(49.5, 30), o->px(50.5, 30)).adjusted(-1, -1, 1, 1)), 0);
        EXPECT_GT(ink(o->img(), QRect(o->px(9.5, 30), o->px(10.5, 30)).adjusted(-1, -1, 1, 1)), 0);
        EXPECT_EQ(ink(o->img(), QRect(o->px(51.5, 25), o->px(60, 35))), 0);
        // Horizontal hatch inside: blue rows that run across, white rows between.
        int blueRows = 0, whiteRows = 0;
        const QPoint from = o->px(25, 25), to = o->px(35, 35);
        for (int y = from.y(); y <= to.y(); ++y) {
            const int n = ink(o->img(), QRect(from.x(), y, to.x() - from.x(), 1));
            if (n == to.x() - from.x()) {
                ++blueRows;
                EXPECT_EQ(at(o->img(), from.x(), y), uint32_t(kBlue));
            } else if (n == 0) {
                ++whiteRows;
            }
        }
        EXPECT_GT(blueRows, 0);
        EXPECT_GT(whiteRows, blueRows);
    }
    // Rim point on the centre: nothing.
    PictureSurface pic(50, 50);
    Cerchio c;
    c.DC = pic.hDC();
    c.Xcentro = c.Xpunto = 25;
    c.Ycentro = c.YPunto = 25;
    c.campitura = Solido;
    c.spescont = 1;
    c.discerchio();
    EXPECT_EQ(ink(pic.image(), pic.image().rect()), 0);
}

TEST(DrawClasses, ArcDirectionCollinearAndHugeRadius) {
    for (auto& o : bothPaths()) {
        SCOPED_TRACE(o->onPrinter() ? "printer" : "preview");
        // Circle about (40, 30) with radius 20: from east, through the point above, to
        // the west. Counter-clockwise on the page is the upper half.
        Arco a;
        a.DC = o->dc();
        a.p1x = o->x(60), a.p1y = o->y(30);
        a.p2x = o->x(20), a.p2y = o->y(30);
        a.p3x = o->x(40), a.p3y = o->y(10);
        a.colcont = kRed;
        a.spescont = o->lineWidth(0.5);
        a.Disarco();
        const QPoint top = o->px(40, 10), bottom = o->px(40, 50);
        EXPECT_GT(ink(o->img(), QRect(top - QPoint(3, 3), QSize(7, 7))), 0);
        EXPECT_EQ(ink(o->img(), QRect(bottom - QPoint(3, 3), QSize(7, 7))), 0);
    }
    float xc = -1, yc = -1;
    double r = -1;
    Arco straight;
    straight.p1x = 0, straight.p1y = 0, straight.p2x = 10, straight.p2y = 10;
    straight.p3x = 20, straight.p3y = 20;
    straight.Calcola_Xc_Yc_Raggio_arco(xc, yc, r);
    EXPECT_EQ(xc, -1);  // not set
    EXPECT_EQ(r, -1);
    PictureSurface pic(50, 50);
    straight.DC = pic.hDC();
    straight.spescont = 3;
    straight.Disarco();
    EXPECT_EQ(ink(pic.image(), pic.image().rect()), 0);

    // Points 150000 pixels from (50, 50): the arc is drawn on radius 100000.
    Arco huge;
    huge.p1x = 150050, huge.p1y = 50;       // east
    huge.p2x = 50, huge.p2y = 50 - 150000;  // north
    huge.p3x = -149950, huge.p3y = 50;      // west
    huge.Calcola_Xc_Yc_Raggio_arco(xc, yc, r);
    EXPECT_NEAR(xc, 50, 0.5);
    EXPECT_NEAR(yc, 50, 0.5);
    EXPECT_NEAR(r, 150000, 1);
    QPicture rec;
    QPainter painter(&rec);
    PainterSurface surface(&painter, gdi::DeviceGeometry{});
    huge.DC = surface.hDC();
    huge.spescont = 1;
    huge.Disarco();
    painter.end();
    const QRect box = rec.boundingRect();
    EXPECT_NEAR(box.right(), 50 + 100000, 5);
    EXPECT_NEAR(box.top(), 50 - 100000, 5);
    EXPECT_NEAR(box.left(), 50, 5);  // a quarter: east to north
    EXPECT_NEAR(box.bottom(), 50, 5);
}

TEST(DrawClasses, PolylineIsOpenSurfaceIsClosed) {
    PictureSurface pic(120, 60);
    polilinea pol;
    pol.DC = pic.hDC();
    pol.setVertic(3);
    pol.inser_vert_pol(10, 10, 1);
    pol.inser_vert_pol(50, 50, 2);
    pol.inser_vert_pol(10, 50, 3);
    pol.colcont = kRed;
    pol.disPolyline();
    EXPECT_EQ(at(pic.image(), 30, 30), uint32_t(kRed));
    EXPECT_EQ(at(pic.image(), 30, 50), uint32_t(kRed));
    EXPECT_TRUE(isWhite(pic.image().pixel(10, 30))) << "no closing side";

    superficie sup;
    sup.DC = pic.hDC();
    sup.setVertic(3);
    sup.inser_vert_sup(70, 10, 1);
    sup.inser_vert_sup(110, 50, 2);
    sup.inser_vert_sup(70, 50, 3);
    sup.colcont = kRed;
    sup.campitura = Solido;
    sup.colocampitura = kGreen;
    sup.disSup();
    EXPECT_EQ(at(pic.image(), 70, 30), uint32_t(kRed)) << "closing side";
    EXPECT_EQ(at(pic.image(), 80, 40), uint32_t(kGreen));
}

TEST(DrawClasses, SurfaceFills) {
    QImage tile(2, 2, QImage::Format_RGB32);
    tile.fill(Qt::red);
    tile.setPixel(1, 1, qRgb(0, 0, 255));
    const gdi::HBITMAP bmp = gdi::registerBitmap(tile);
    struct Case {
        int32_t campitura;
        int32_t hBmp;
        const char* what;
    };
    const Case cases[] = {{LineeOrizzontali, 0, "horizontal hatch"},
                          {Quadratini, 0, "cross hatch"},
                          {Trasparente, 0, "none"},
                          {Immagine, bmp, "picture"},
                          {Immagine, 12345, "unknown picture: none"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PictureSurface pic(60, 60);
        superficie sup;
        sup.DC = pic.hDC();
        sup.setVertic(4);
        sup.inser_vert_sup(5, 5, 1);
        sup.inser_vert_sup(55, 5, 2);
        sup.inser_vert_sup(55, 55, 3);
        sup.inser_vert_sup(5, 55, 4);
        sup.trattcont = gdi::PS_NULL;
        sup.campitura = c.campitura;
        sup.colocampitura = kBlue;
        sup.hBmp = c.hBmp;
        sup.disSup();
        const QRect inside(15, 15, 30, 30);
        const int n = ink(pic.image(), inside);
        switch (c.campitura) {
            case LineeOrizzontali: {
                EXPECT_GT(n, 0);
                EXPECT_LT(n, 30 * 30 / 2);
                for (int y = 15; y < 45; ++y) {
                    const int row = ink(pic.image(), QRect(15, y, 30, 1));
                    EXPECT_TRUE(row == 0 || row == 30) << "row " << y;
                }
                break;
            }
            case Quadratini:
                EXPECT_GT(n, 30 * 30 / 5);
                EXPECT_LT(n, 30 * 30 / 2);
                break;
            case Immagine:
                if (c.hBmp == bmp) {
                    EXPECT_EQ(n, 30 * 30);
                    EXPECT_EQ(at(pic.image(), 20, 20), uint32_t(0x0000FF));
                    EXPECT_EQ(at(pic.image(), 21, 21), uint32_t(0xFF0000));
                } else {
                    EXPECT_EQ(n, 0);
                }
                break;
            default:
                EXPECT_EQ(n, 0);
        }
    }
    gdi::deleteBitmap(bmp);
}

TEST(DrawClasses, VertexListsAndFixedFields) {
    superficie s;
    EXPECT_EQ(s.vertic(), 0);
    EXPECT_THROW(s.inser_vert_sup(1, 1, 1), std::out_of_range);
    s.setVertic(3);
    s.inser_vert_sup(1.5f, 2.5f, 3);
    s.ins_vertselez(-1, 3);
    s.setVertic(65540);  // cut to 16 bits: 4, keeping what was there
    EXPECT_EQ(s.vertic(), 4);
    float x, y;
    int16_t flag;
    s.prel_vert_sup(x, y, 3);
    s.prel_vertselez(flag, 3);
    EXPECT_EQ(x, 1.5f);
    EXPECT_EQ(y, 2.5f);
    EXPECT_EQ(flag, -1);
    s.prel_vert_sup(x, y, 4);
    EXPECT_EQ(x, 0.0f);
    EXPECT_THROW(s.prel_vert_sup(x, y, 5), std::out_of_range);
    EXPECT_THROW(s.prel_vert_sup(x, y, 0), std::out_of_range);
    s.setVertic(-1);
    EXPECT_EQ(s.vertic(), -1);
    EXPECT_THROW(s.prel_vert_sup(x, y, 1), std::out_of_range);
    PictureSurface pic(20, 20);
    s.DC = pic.hDC();
    s.disSup();  // no vertices: nothing, no failure

    testo t;
    t.setCarattere_testo("Arial");
    const QString field = t.carattere_testo();
    EXPECT_EQ(field.size(), 32);
    EXPECT_EQ(field.left(6), QString("Arial") + QChar(0));
    EXPECT_EQ(field.mid(6).trimmed(), QString());
    t.setCarattere_testo(QString(40, 'X'));
    EXPECT_EQ(t.carattere_testo(), QString(32, 'X'));
    t.setAng_testo(30);
    EXPECT_EQ(t.ang_testo(), 30.0f);

    Linea l;
    l.Xi = 1, l.Yf = 2, l.speslinea = 0.5f, l.TipoLinea = 2, l.colorelinea = kRed;
    EXPECT_EQ(l.Yf, 2.0f);
}

namespace {

void writeText(Output& o, const QString& text, double xmm, double ymm, double altezza,
               int32_t angolo, bool opaco = false, int32_t nCar = 0) {
    testo t;
    t.DC = o.dc();
    t.setAng_testo(angolo);
    t.setCarattere_testo("Arial");
    t.colore_testo = kRed;
    t.opaco_testo = opaco ? -1 : 0;
    t.colore_opaco_testo = kGreen;
    t.stringa_testo = text;
    t.nCartesto = nCar;
    t.dimens_testo = o.textHeight(altezza);
    t.pos_testox = o.x(xmm);
    t.pos_testoy = o.y(ymm);
    o.s().setForeColor(uint32_t(t.colore_testo));
    t.dis_testo();
}

}  // namespace

TEST(DrawClasses, TextKeepsItsMillimetresOnPaperAndPreview) {
    // The capital H of a 10-point Arial is 0.716 of 10 points tall: 2.53 mm.
    std::vector<std::unique_ptr<Output>> outputs;
    outputs.push_back(Output::printer(150));
    outputs.push_back(Output::printer(600));
    outputs.push_back(Output::preview(1.0));
    outputs.push_back(Output::preview(2.0));
    for (auto& o : outputs) {
        writeText(*o, "HHHH", 10, 10, 10, 0);
        const QRect box = probe::inkBox(o->img());
        ASSERT_FALSE(box.isNull());
        const double heightMm = o->s().ScaleY(box.height(), vbPixels, o->s().scaleMode());
        const double widthMm = o->s().ScaleX(box.width(), vbPixels, o->s().scaleMode());
        const double leftMm = o->s().ScaleX(box.left(), vbPixels, o->s().scaleMode());
        const double topMm = o->s().ScaleY(box.top(), vbPixels, o->s().scaleMode());
        SCOPED_TRACE(testing::Message() << (o->onPrinter() ? "printer " : "preview ")
                                        << o->s().dpiY() << " " << heightMm << " mm");
        const double pixel = o->s().ScaleX(1.5, vbPixels, o->s().scaleMode());
        EXPECT_NEAR(heightMm, 2.53, 0.05 + pixel);
        EXPECT_NEAR(widthMm, 9.6, 0.3 + pixel);
        EXPECT_NEAR(leftMm, 10.28, 0.05 + pixel);
        // Cell top at 10 mm; the capitals start below the internal leading.
        EXPECT_NEAR(topMm, 10 + (0.905 - 0.716) * 10 * 25.4 / 72, 0.05 + pixel);
        bool red = false;
        for (int x = box.left(); x <= box.right() && !red; ++x)
            red = at(o->img(), x, box.center().y()) == uint32_t(kRed);
        EXPECT_TRUE(red);
    }
}

TEST(DrawClasses, TextAngleCountAndOpaqueBackground) {
    auto o = Output::preview(1.0, 100, 100);
    // 90 degrees: the text runs up the page from its point.
    writeText(*o, "ANALISI", 50, 50, 12, 90);
    QRect box = probe::inkBox(o->img());
    EXPECT_LE(box.bottom(), o->px(50, 50).y() + 1);
    EXPECT_GT(box.height(), box.width() * 2);

    // 30 degrees: escapement 300, the end of the line higher than its start.
    o = Output::preview(1.0, 100, 100);
    writeText(*o, "ANALISI DEI CARICHI", 10, 60, 12, 30);
    box = probe::inkBox(o->img());
    const QRect leftPart = probe::inkBox(o->img(), QRect(box.left(), 0, 20, o->img().height()));
    const QRect rightPart =
        probe::inkBox(o->img(), QRect(box.right() - 20, 0, 21, o->img().height()));
    EXPECT_LT(rightPart.center().y(), leftPart.center().y() - 20);

    // A count of characters cuts the text; trailing blanks are dropped.
    auto full = Output::preview(1.0, 100, 30);
    writeText(*full, "ANALI", 5, 5, 12, 0);
    auto cut = Output::preview(1.0, 100, 30);
    writeText(*cut, "ANALISI DEI CARICHI", 5, 5, 12, 0, false, 5);
    EXPECT_EQ(probe::inkBox(full->img()), probe::inkBox(cut->img()));

    // Opaque: the cell is filled green behind the text, and the context goes back to
    // a transparent background for what follows.
    auto opaque = Output::preview(1.0, 100, 30);
    writeText(*opaque, "Testo   ", 5, 5, 12, 0, true);
    const QPoint cellTopLeft = opaque->px(5, 5);
    EXPECT_EQ(at(opaque->img(), cellTopLeft.x() + 1, cellTopLeft.y() + 1), uint32_t(kGreen));
    EXPECT_EQ(opaque->dc()->bkMode(), int32_t(gdi::TRANSPARENT));
    // Blanks at the end are not part of the cell.
    const QRect green = probe::inkBox(opaque->img());
    EXPECT_LT(opaque->s().ScaleX(green.width(), vbPixels, vbUser), 12);

    // Height 0 becomes 1 pixel: at most a speck.
    PictureSurface pic(100, 30);
    testo tiny;
    tiny.DC = pic.hDC();
    tiny.stringa_testo = "Testo";
    tiny.setCarattere_testo("Arial");
    tiny.dis_testo();
    EXPECT_LT(ink(pic.image(), pic.image().rect()), 12);
}

TEST(DrawClasses, SampleSheet) {
    // A sheet of every class on the preview, kept for a look by eye.
    auto o = Output::preview(1.0, 120, 90);
    rectangle(*o, 5, 5, 35, 25, Rombi, kBlue, 0, 1);
    rectangle(*o, 40, 5, 70, 25, Solido, kGreen, kRed, 2, 0);
    rectangle(*o, 75, 5, 115, 25, Trasparente, 0, 0, 0, gdi::PS_DASH);
    Cerchio c;
    c.DC = o->dc();
    c.Xcentro = o->x(20), c.Ycentro = o->x(45), c.Xpunto = o->x(32), c.YPunto = o->x(45);
    c.campitura = DiagonaleGiu, c.colocampitura = kRed, c.spescont = o->lineWidth(0.5);
    c.discerchio();
    Arco a;
    a.DC = o->dc();
    a.p1x = o->x(70), a.p1y = o->y(45), a.p2x = o->x(50), a.p2y = o->y(45);
    a.p3x = o->x(60), a.p3y = o->y(35), a.colcont = kBlue, a.spescont = o->lineWidth(1);
    a.Disarco();
    superficie s;
    s.DC = o->dc();
    s.setVertic(5);
    const float pts[][2] = {{80, 35}, {110, 35}, {115, 50}, {95, 58}, {78, 50}};
    for (int k = 0; k < 5; ++k) s.inser_vert_sup(o->x(pts[k][0]), o->y(pts[k][1]), k + 1);
    s.campitura = LineeOrizzontali, s.colocampitura = kBlue, s.colcont = kRed;
    s.spescont = o->lineWidth(0.3);
    s.disSup();
    writeText(*o, "Analisi dei carichi", 5, 65, 10, 0);
    writeText(*o, "Opaco", 60, 65, 10, 0, true);
    writeText(*o, "30 gradi", 85, 85, 10, 30);
    const QString dir = QString::fromUtf8(TESSARO_TEST_BIN_DIR) + "/../test-output";
    QDir().mkpath(dir);
    EXPECT_TRUE(o->img().save(dir + "/draw-classes-sheet.png"));
    EXPECT_GT(ink(o->img(), o->img().rect()), 1000);
}

TEST(DrawClasses, PdfPageLandsWhereThePreviewDoes) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("page.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QSizeF(80, 60), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        PainterSurface surface(&painter, deviceGeometry(writer));
        ASSERT_EQ(surface.dpiY(), 300);
        surface.setScaleMode(vbMillimeters);
        Rettangolo r;
        r.DC = surface.hDC();
        r.setVertic(4);
        const float corners[][2] = {{10, 10}, {40, 10}, {40, 30}, {10, 30}};
        for (int k = 0; k < 4; ++k)
            r.inser_vert_ret(float(surface.toPixelsX(corners[k][0])),
                             float(surface.toPixelsY(corners[k][1])), k + 1);
        r.campitura = Solido;
        r.colocampitura = kBlue;
        r.spescont = printerLineWidth(0);
        r.disrettangolo();
        testo t;
        t.DC = surface.hDC();
        t.setCarattere_testo("Arial");
        t.stringa_testo = "HHHH";
        t.dimens_testo = printerTextHeight(10, 1, surface.twipsPerPixelY());
        t.pos_testox = float(surface.toPixelsX(10));
        t.pos_testoy = float(surface.toPixelsY(40));
        surface.setForeColor(kRed);
        t.dis_testo();
    }
    QProcess p;
    p.start(pdftoppm, {"-r", "300", "-png", "-singlefile", pdf, dir.filePath("page")});
    ASSERT_TRUE(p.waitForFinished(30000));
    QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    auto px = [](double mm) { return int(mm / 25.4 * 300 + 0.5); };
    EXPECT_EQ(at(page, px(25), px(20)), uint32_t(kBlue));
    EXPECT_TRUE(isWhite(page.pixel(px(45), px(20))));
    EXPECT_TRUE(isWhite(page.pixel(px(25), px(32))));
    const QRect text = probe::inkBox(page, QRect(0, px(35), page.width(), px(10)));
    ASSERT_FALSE(text.isNull());
    EXPECT_NEAR(text.height() * 25.4 / 300, 2.53, 0.1);
    EXPECT_NEAR(text.top() * 25.4 / 300, 40.67, 0.1);
    EXPECT_NEAR(text.left() * 25.4 / 300, 10.28, 0.1);
}

TEST(DrawClasses, NoBrushOfTheirOwnLeavesTheDevicesBrush) {
    // Fill 7 on every filled class, and 8 on circles and rectangles: the brush
    // already in the context fills them.
    PictureSurface pic(200, 60);
    gdi::HBRUSH green = gdi::CreateSolidBrush(kGreen);
    gdi::HGDIOBJ old = gdi::SelectObject(pic.hDC(), green);
    Rettangolo r;
    r.DC = pic.hDC();
    r.setVertic(4);
    r.inser_vert_ret(5, 5, 1);
    r.inser_vert_ret(45, 5, 2);
    r.inser_vert_ret(45, 45, 3);
    r.inser_vert_ret(5, 45, 4);
    r.campitura = Immagine;
    r.disrettangolo();
    Cerchio c;
    c.DC = pic.hDC();
    c.Xcentro = 75, c.Ycentro = 25, c.Xpunto = 95, c.YPunto = 25;
    c.campitura = Trasparente;
    c.discerchio();
    superficie s;
    s.DC = pic.hDC();
    s.setVertic(3);
    s.inser_vert_sup(110, 5, 1);
    s.inser_vert_sup(150, 45, 2);
    s.inser_vert_sup(110, 45, 3);
    s.campitura = Trasparente;
    s.disSup();
    EXPECT_EQ(pic.hDC()->currentBrush(), green) << "put back after each drawing";
    gdi::SelectObject(pic.hDC(), old);
    EXPECT_TRUE(gdi::DeleteObject(green));
    EXPECT_EQ(at(pic.image(), 25, 25), uint32_t(kGreen));
    EXPECT_EQ(at(pic.image(), 75, 25), uint32_t(kGreen));
    EXPECT_EQ(at(pic.image(), 120, 35), uint32_t(kGreen));
}

TEST(DrawClasses, ExtremeCoordinatesNeitherCrashNorHang) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float values[] = {3e9f, -3e9f, 2147483647.0f, nan, inf, 1e-30f};
    PictureSurface pic(50, 50);
    for (float v : values) {
        Cerchio c;
        c.DC = pic.hDC();
        c.Xcentro = 25, c.Ycentro = 25, c.Xpunto = v, c.YPunto = 25;
        c.campitura = Solido;
        c.discerchio();
        Arco a;
        a.DC = pic.hDC();
        a.p1x = v, a.p1y = 0, a.p2x = 0, a.p2y = v, a.p3x = -v, a.p3y = 1;
        a.spescont = v;
        a.Disarco();
        superficie s;
        s.DC = pic.hDC();
        s.setVertic(3);
        s.inser_vert_sup(v, 0, 1);
        s.inser_vert_sup(10, v, 2);
        s.inser_vert_sup(-v, 10, 3);
        s.campitura = Rombi;
        s.disSup();
        testo t;
        t.DC = pic.hDC();
        t.stringa_testo = "x";
        t.dimens_testo = v;
        t.pos_testox = v;
        t.dis_testo();
    }
    // A circle too big for the page covers it all with its fill.
    Cerchio big;
    big.DC = pic.hDC();
    big.Xcentro = 25, big.Ycentro = 25, big.Xpunto = 1e6f, big.YPunto = 25;
    big.campitura = Solido;
    big.colocampitura = kRed;
    big.discerchio();
    EXPECT_EQ(at(pic.image(), 25, 25), uint32_t(kRed));
}
