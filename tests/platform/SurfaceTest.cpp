#include "Surface.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "SurfaceProbe.h"

using namespace platform;
using probe::at;
using probe::ink;
using probe::isWhite;

namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlack = 0;

// A printer-like surface: a white page image at a printer's resolution, scale in mm.
struct RasterPrinter {
    explicit RasterPrinter(double dpi, double widthMm = 60, double heightMm = 40)
        : image(int(widthMm / 25.4 * dpi + 0.5), int(heightMm / 25.4 * dpi + 0.5),
                QImage::Format_RGB32) {
        image.fill(Qt::white);
        painter.begin(&image);
        gdi::DeviceGeometry g;
        g.dpiX = g.dpiY = dpi;
        g.width = image.width();
        g.height = image.height();
        surface.attach(&painter, g);
        surface.setScaleMode(vbMillimeters);
    }
    QImage image;
    QPainter painter;
    PainterSurface surface;
};

// The preview's page: the picture sized for the zoom, millimetre scale divided by
// the zoom factor so that one unit is one paper millimetre.
void setPaperScale(PictureSurface& pic, double fattoreScala) {
    pic.setScaleMode(vbMillimeters);
    pic.setScaleWidth(pic.scaleWidth() / fattoreScala);
    pic.setScaleHeight(pic.scaleHeight() / fattoreScala);
}

}  // namespace

TEST(SurfaceScale, UnitsAndUserScale) {
    PictureSurface pic(960, 480, 96);
    EXPECT_DOUBLE_EQ(pic.twipsPerPixelX(), 15.0);
    pic.setScaleMode(vbMillimeters);
    EXPECT_NEAR(pic.scaleWidth(), 960 * 25.4 / 96, 1e-9);
    EXPECT_NEAR(pic.scaleHeight(), 480 * 25.4 / 96, 1e-9);
    EXPECT_NEAR(pic.ScaleX(10, vbMillimeters, vbPixels), 10 * 96 / 25.4, 1e-9);
    EXPECT_NEAR(pic.ScaleY(567, vbTwips, vbMillimeters), 10.0, 0.01);
    EXPECT_NEAR(pic.ScaleX(1, vbInches, vbPoints), 72.0, 1e-9);
    EXPECT_NEAR(pic.ScaleX(1, vbCentimeters, vbHimetric), 1000.0, 1e-6);

    // At a zoom factor of 2 one unit is a paper millimetre, two screen millimetres.
    setPaperScale(pic, 2.0);
    EXPECT_EQ(pic.scaleMode(), vbUser);
    EXPECT_NEAR(pic.toPixelsX(10), 2 * 10 * 96 / 25.4, 1e-9);
    EXPECT_NEAR(pic.toPixelsY(10), 2 * 10 * 96 / 25.4, 1e-9);
    EXPECT_NEAR(pic.ScaleX(pic.toPixelsX(7.5), vbPixels, vbUser), 7.5, 1e-9);

    // Choosing a unit again restores the origin and the size in that unit.
    pic.setScaleLeft(5);
    pic.setScaleMode(vbPixels);
    EXPECT_EQ(pic.scaleLeft(), 0);
    EXPECT_EQ(pic.scaleWidth(), 960);
}

TEST(SurfaceScale, PrinterMillimetresFollowTheResolution) {
    for (double dpi : {150.0, 300.0, 600.0}) {
        RasterPrinter p(dpi);
        EXPECT_NEAR(p.surface.toPixelsX(25.4), dpi, 1e-9);
        EXPECT_NEAR(p.surface.twipsPerPixelY(), 1440 / dpi, 1e-12);
        EXPECT_NEAR(p.surface.scaleWidth(), p.image.width() * 25.4 / dpi, 1e-9);
    }
}

TEST(SurfaceScale, RefusesBadValues) {
    PictureSurface pic(10, 10);
    EXPECT_THROW(pic.setScaleMode(9), std::invalid_argument);
    EXPECT_THROW(pic.setScaleWidth(0), std::invalid_argument);
    EXPECT_THROW(pic.setDrawStyle(7), std::invalid_argument);
    EXPECT_THROW(pic.setFontSize(0), std::invalid_argument);
    EXPECT_EQ(pic.scaleMode(), vbTwips);
}

TEST(SurfaceDrawing, LinesLandAtTheirMillimetres) {
    RasterPrinter p(300);
    p.surface.setDrawWidth(1);
    p.surface.Line(10, 20, 50, 20, kRed);
    const int y = int(p.surface.toPixelsY(20));
    EXPECT_EQ(at(p.image, int(p.surface.toPixelsX(30)), y), kRed);
    EXPECT_EQ(p.surface.currentX(), 50);
    EXPECT_EQ(p.surface.currentY(), 20);
    // Nothing before the start.
    EXPECT_EQ(ink(p.image, QRect(0, y - 2, int(p.surface.toPixelsX(9.5)), 5)), 0);

    // Same line on the preview picture at zoom 1.5.
    PictureSurface pic(400, 300, 96);
    setPaperScale(pic, 1.5);
    pic.Line(10, 20, 50, 20, kRed);
    EXPECT_EQ(at(pic.image(), int(10 * 1.5 * 96 / 25.4) + 20, int(20 * 1.5 * 96 / 25.4)), kRed);
}

TEST(SurfaceDrawing, WidthsAndStyles) {
    struct Case {
        int width, style;
        bool gaps;  // a dashed or dotted line leaves white along its run
        int thickness;
    };
    const Case cases[] = {
        {1, 0, false, 1}, {1, 1, true, 1},  {1, 2, true, 1},  {1, 3, true, 1},
        {1, 4, true, 1},  {5, 1, false, 5}, {5, 2, false, 5}, {7, 0, false, 7},
    };
    for (const Case& c : cases) {
        PictureSurface pic(200, 60, 96);
        pic.setScaleMode(vbPixels);
        pic.setDrawWidth(c.width);
        pic.setDrawStyle(c.style);
        pic.Line(10, 30, 190, 30, kBlack);
        const int covered = ink(pic.image(), QRect(20, 30, 160, 1));
        SCOPED_TRACE(testing::Message() << "width " << c.width << " style " << c.style);
        if (c.gaps)
            EXPECT_LT(covered, 150);
        else
            EXPECT_EQ(covered, 160);
        int x = 100;
        while (isWhite(pic.image().pixel(x, 30))) ++x;  // off a gap
        EXPECT_EQ(probe::runDown(pic.image(), x, 30), c.thickness);
    }
    PictureSurface pic(100, 40);
    pic.setScaleMode(vbPixels);
    pic.setDrawStyle(5);
    pic.Line(10, 20, 90, 20, kBlack);
    EXPECT_EQ(ink(pic.image(), pic.image().rect()), 0);
}

TEST(SurfaceDrawing, BoxesPointsAndPictures) {
    PictureSurface pic(100, 100);
    pic.setScaleMode(vbPixels);
    pic.Line(10, 10, 30, 30, kRed, LineForm::BoxFill);
    EXPECT_EQ(at(pic.image(), 20, 20), kRed);
    pic.Line(40, 10, 60, 30, kBlack, LineForm::Box);
    EXPECT_EQ(at(pic.image(), 40, 20), kBlack);
    EXPECT_TRUE(probe::isWhite(pic.image().pixel(50, 20)));

    pic.setForeColor(0x00FF00);
    pic.PSet(80, 80);
    EXPECT_EQ(at(pic.image(), 80, 80), 0x00FF00u);

    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    pic.PaintPicture(red, 10, 50, 30, 20);
    EXPECT_EQ(at(pic.image(), 25, 60), kRed);
    EXPECT_TRUE(probe::isWhite(pic.image().pixel(45, 60)));
    // No width: nothing painted.
    pic.PaintPicture(red, 60, 50, 0, 20);
    EXPECT_EQ(ink(pic.image(), QRect(55, 45, 10, 30)), 0);

    pic.Cls();
    EXPECT_EQ(ink(pic.image(), pic.image().rect()), 0);
}

TEST(SurfaceText, MeasuresKeepTheirMillimetresAtAnyResolution) {
    double widthMm = 0, heightMm = 0;
    for (double dpi : {96.0, 150.0, 600.0}) {
        RasterPrinter p(dpi);
        p.surface.setFontName("Arial");
        p.surface.setFontSize(10);
        const double w = p.surface.TextWidth("ANALISI DEI CARICHI");
        const double h = p.surface.TextHeight("ANALISI DEI CARICHI");
        if (widthMm == 0) {
            widthMm = w;
            heightMm = h;
        }
        EXPECT_NEAR(w, widthMm, widthMm * 0.005) << dpi;
        EXPECT_NEAR(h, heightMm, 1e-9) << dpi;
    }
    // A 10-point line is about 4 mm high (ascent and descent of a sans face).
    EXPECT_NEAR(heightMm, 10 / 72.0 * 25.4 * 1.15, 0.25);
    EXPECT_GT(widthMm, 30);
    EXPECT_LT(widthMm, 50);

    PictureSurface pic(100, 100);
    pic.setScaleMode(vbMillimeters);
    pic.setFontSize(10);
    pic.setFontBold(false);
    const double plain = pic.TextWidth("ANALISI");
    pic.setFontBold(true);
    EXPECT_GT(pic.TextWidth("ANALISI"), plain);
    EXPECT_NEAR(pic.TextHeight("a\nb"), 2 * pic.TextHeight("a"), 0.5);
}

TEST(SurfaceConversions, LineWidthsAndTextHeights) {
    EXPECT_FLOAT_EQ(printerLineWidth(1), 7.2f);
    EXPECT_FLOAT_EQ(printerLineWidth(0), 1.0f);
    EXPECT_FLOAT_EQ(pictureLineWidth(0, 1.5), 1.0f);
    EXPECT_FLOAT_EQ(pictureLineWidth(1, 1.4), 5.0f);
    // 10 points at 600 dpi: 83.33 pixels of character height, asked as negative.
    EXPECT_NEAR(printerTextHeight(10, 1, 2.4), -83.333, 0.001);
    EXPECT_NEAR(printerTextHeight(10, 0.8, 2.4), -66.667, 0.001);
    EXPECT_NEAR(pictureTextHeight(10, 1, 15), 14.925, 0.001);
}

TEST(SurfaceText, PrintWritesAtTheCurrentPositionAndMovesDown) {
    PictureSurface pic(300, 100, 96);
    pic.setScaleMode(vbMillimeters);
    pic.setFontName("Arial");
    pic.setFontSize(12);
    pic.setForeColor(kRed);
    pic.setCurrentX(20);
    pic.setCurrentY(5);
    pic.Print("12");
    EXPECT_EQ(pic.currentX(), 0);
    EXPECT_NEAR(pic.currentY(), 5 + pic.TextHeight("12"), 1e-9);
    const QRect box = probe::inkBox(pic.image());
    ASSERT_FALSE(box.isNull());
    EXPECT_NEAR(box.left(), pic.toPixelsX(20), 3);
    EXPECT_GT(box.top(), pic.toPixelsY(5));
    EXPECT_LT(box.bottom(), pic.toPixelsY(5 + pic.TextHeight("12")));
    EXPECT_NEAR(box.width(), pic.toPixelsX(pic.TextWidth("12")), 3);

    EXPECT_GT(pic.FontCount(), 0);
    EXPECT_FALSE(pic.Fonts(0).isEmpty());
    EXPECT_EQ(pic.Fonts(pic.FontCount()), QString());
    EXPECT_EQ(pic.Fonts(-1), QString());
}

TEST(SurfaceDrawing, PainterSourceIsAskedOnlyToDraw) {
    // A printer begins its document at the first drawing, not when texts are measured.
    QImage page(200, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter;
    int asked = 0;
    PainterSurface s;
    gdi::DeviceGeometry g;
    g.width = page.width();
    g.height = page.height();
    s.attachSource(
        [&]() -> QPainter* {
            ++asked;
            if (!painter.isActive()) painter.begin(&page);
            return &painter;
        },
        g);
    s.setScaleMode(vbPixels);
    s.TextWidth("misura");
    s.TextHeight("misura");
    gdi::LOGFONT lf;
    lf.lfHeight = -12;
    gdi::HFONT font = gdi::CreateFontIndirectA(lf);
    gdi::HGDIOBJ old = gdi::SelectObject(s.hDC(), font);
    const QSizeF extent = s.hDC()->textExtent("misura");
    EXPECT_EQ(asked, 0);
    EXPECT_GT(extent.width(), 20);
    EXPECT_NEAR(extent.height(), 12 * 1.117, 0.2);

    s.Line(10, 50, 190, 50, kRed);
    EXPECT_EQ(asked, 1);
    gdi::TextOutA(s.hDC(), 10, 10, "Testo");
    EXPECT_EQ(asked, 2);
    gdi::SelectObject(s.hDC(), old);
    gdi::DeleteObject(font);
    painter.end();
    EXPECT_EQ(at(page, 100, 50), kRed);
    EXPECT_GT(ink(page, QRect(10, 10, 60, 20)), 10);
}
