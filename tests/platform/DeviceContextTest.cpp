#include "DeviceContext.h"

#include <QFontInfo>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include "Surface.h"
#include "SurfaceProbe.h"

using namespace gdi;
using probe::at;
using probe::ink;
using probe::isWhite;

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGreen = 0x00FF00;

// A page picture in pixels; its context is what the drawing classes receive.
struct Page {
    explicit Page(int w = 120, int h = 120, double dpi = 96) : pic(w, h, dpi) {}
    HDC dc() { return pic.hDC(); }
    const QImage& img() const { return pic.image(); }
    platform::PictureSurface pic;
};

void square(HDC dc, int l, int t, int r, int b) {
    const POINT pts[] = {{l, t}, {r, t}, {r, b}, {l, b}};
    Polygon(dc, pts, 4);
}

}  // namespace

TEST(DeviceContext, SelectReturnsThePreviousObjectAndDeleteWaitsForRelease) {
    Page page;
    HDC dc = page.dc();
    HPEN stock = dc->currentPen();
    HPEN red = CreatePen(PS_SOLID, 3, kRed);
    EXPECT_EQ(SelectObject(dc, red), stock);
    EXPECT_FALSE(DeleteObject(red)) << "still selected";
    HBRUSH brush = CreateSolidBrush(kBlue);
    HGDIOBJ stockBrush = SelectObject(dc, brush);
    EXPECT_EQ(dc->currentPen(), red) << "a brush does not displace the pen";
    EXPECT_EQ(SelectObject(dc, stock), red);
    EXPECT_EQ(SelectObject(dc, stockBrush), brush);
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(stock));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(dc->currentPen(), stock);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), int32_t(TRANSPARENT));
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(dc->bkMode(), int32_t(OPAQUE));
}

TEST(DeviceContext, PenStylesWideDashesDrawSolid) {
    struct Case {
        int32_t style, width;
        int covered;  // of 100 pixels along the line: -1 some but not all
        int thickness;
    };
    const Case cases[] = {
        {PS_SOLID, 1, 100, 1},  {PS_DASH, 1, -1, 1},       {PS_DOT, 1, -1, 1},
        {PS_DASHDOT, 1, -1, 1}, {PS_DASHDOTDOT, 1, -1, 1}, {PS_NULL, 1, 0, 0},
        {PS_DASH, 4, 100, 4},   {PS_DOT, 3, 100, 3},       {PS_SOLID, 0, 100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " width " << c.width);
        Page page(140, 40);
        HPEN pen = CreatePen(c.style, c.width, kRed);
        HGDIOBJ old = SelectObject(page.dc(), pen);
        const POINT pts[] = {{10, 20}, {130, 20}};
        Polyline(page.dc(), pts, 2);
        SelectObject(page.dc(), old);
        DeleteObject(pen);
        const int covered = ink(page.img(), QRect(20, 20, 100, 1));
        if (c.covered < 0) {
            EXPECT_GT(covered, 10);
            EXPECT_LT(covered, 95);
        } else {
            EXPECT_EQ(covered, c.covered);
        }
        int x = 70;
        while (x < 120 && isWhite(page.img().pixel(x, 20))) ++x;  // off a gap
        EXPECT_EQ(x < 120 ? probe::runDown(page.img(), x, 20) : 0, c.thickness);
        if (c.covered == 100) EXPECT_EQ(at(page.img(), 70, 20), kRed);
    }
}

TEST(DeviceContext, HatchStylesHaveTheirDirection) {
    // For each hatch: where a pixel is inked, which neighbour must be inked too.
    struct Case {
        int32_t style;
        int dx, dy;
    };
    const Case cases[] = {
        {HS_HORIZONTAL, 1, 0}, {HS_VERTICAL, 0, 1}, {HS_FDIAGONAL, 1, 1}, {HS_BDIAGONAL, 1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hatch " << c.style);
        Page page(80, 80);
        HDC dc = page.dc();
        HPEN nopen = CreatePen(PS_NULL, 0, 0);
        HBRUSH hatch = CreateHatchBrush(c.style, kBlue);
        HGDIOBJ oldPen = SelectObject(dc, nopen);
        HGDIOBJ oldBrush = SelectObject(dc, hatch);
        square(dc, 0, 0, 80, 80);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(hatch);
        DeleteObject(nopen);
        const int inked = ink(page.img(), QRect(10, 10, 60, 60));
        EXPECT_GT(inked, 60 * 60 / 10);  // lines every few pixels...
        EXPECT_LT(inked, 60 * 60 / 3);   // ...with gaps between
        for (int y = 10; y < 70; ++y)
            for (int x = 10; x < 70; ++x)
                if (!isWhite(page.img().pixel(x, y))) {
                    ASSERT_EQ(at(page.img(), x, y), kBlue);
                    ASSERT_FALSE(isWhite(page.img().pixel(x + c.dx, y + c.dy)))
                        << "at " << x << "," << y;
                }
    }
    // Crosses: both families of lines.
    for (int32_t style : {HS_CROSS, HS_DIAGCROSS}) {
        Page page(80, 80);
        HBRUSH hatch = CreateHatchBrush(style, kBlue);
        HGDIOBJ old = SelectObject(page.dc(), hatch);
        square(page.dc(), 0, 0, 79, 79);
        SelectObject(page.dc(), old);
        DeleteObject(hatch);
        int full = 0;
        for (int y = 10; y < 70; ++y)
            if (ink(page.img(), QRect(10, y, 60, 1)) == 60) ++full;
        if (style == HS_CROSS)
            EXPECT_GE(full, 6) << "horizontal lines";
        else
            EXPECT_EQ(full, 0);
        EXPECT_GT(ink(page.img(), QRect(10, 10, 60, 60)), 60 * 60 / 5);
    }
}

TEST(DeviceContext, HatchGapsTakeTheBackgroundOnlyWhenOpaque) {
    for (int32_t mode : {TRANSPARENT, OPAQUE}) {
        Page page(60, 60);
        HDC dc = page.dc();
        SetBkMode(dc, mode);
        SetBkColor(dc, kGreen);
        HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, kRed);
        HGDIOBJ old = SelectObject(dc, hatch);
        square(dc, 5, 5, 55, 55);
        SelectObject(dc, old);
        DeleteObject(hatch);
        int green = 0, red = 0;
        for (int y = 10; y < 50; ++y) {
            green += at(page.img(), 30, y) == kGreen;
            red += at(page.img(), 30, y) == kRed;
        }
        EXPECT_GT(red, 3);
        if (mode == OPAQUE)
            EXPECT_EQ(green + red, 40);
        else
            EXPECT_EQ(green, 0);
    }
}

TEST(DeviceContext, SolidHollowAndPatternBrushes) {
    Page page(120, 60);
    HDC dc = page.dc();
    // The context starts without a fill: a polygon is only its outline.
    square(dc, 5, 5, 35, 35);
    EXPECT_TRUE(isWhite(page.img().pixel(20, 20)));
    EXPECT_EQ(at(page.img(), 5, 20), 0u);

    HBRUSH solid = CreateSolidBrush(kRed);
    HGDIOBJ old = SelectObject(dc, solid);
    Ellipse(dc, 40, 5, 70, 35);
    SelectObject(dc, old);
    DeleteObject(solid);
    EXPECT_EQ(at(page.img(), 55, 20), kRed);
    EXPECT_TRUE(isWhite(page.img().pixel(41, 6))) << "corner of the box is outside the ellipse";

    QImage tile(2, 1, QImage::Format_RGB32);
    tile.setPixel(0, 0, qRgb(0, 0, 255));
    tile.setPixel(1, 0, qRgb(0, 255, 0));
    const HBITMAP bmp = registerBitmap(tile);
    ASSERT_NE(bmp, 0);
    HBRUSH pattern = CreatePatternBrush(bmp);
    ASSERT_NE(pattern, nullptr);
    old = SelectObject(dc, pattern);
    square(dc, 80, 5, 115, 35);
    SelectObject(dc, old);
    DeleteObject(pattern);
    EXPECT_EQ(at(page.img(), 90, 20), kBlue);
    EXPECT_EQ(at(page.img(), 91, 20), kGreen);

    EXPECT_TRUE(deleteBitmap(bmp));
    EXPECT_TRUE(bitmap(bmp).isNull());
    EXPECT_EQ(CreatePatternBrush(bmp), nullptr);
    EXPECT_FALSE(deleteBitmap(bmp));
}

TEST(DeviceContext, ArcRunsCounterClockwiseFromStartToEnd) {
    // Circle about (60, 60), radius 40; east is (100, 60), north (60, 20) on the page.
    const QPoint northEast(60 + 28, 60 - 28), southWest(60 - 28, 60 + 28), south(60, 100);
    auto drawArc = [](POINT start, POINT end) {
        auto page = std::make_unique<Page>();
        HPEN pen = CreatePen(PS_SOLID, 3, kRed);
        HGDIOBJ old = SelectObject(page->dc(), pen);
        Arc(page->dc(), 20, 20, 100, 100, start.x, start.y, end.x, end.y);
        SelectObject(page->dc(), old);
        DeleteObject(pen);
        return page;
    };
    auto near = [](const QImage& img, QPoint p) {
        return ink(img, QRect(p - QPoint(3, 3), QSize(7, 7)));
    };

    auto eastToNorth = drawArc({100, 60}, {60, 20});
    EXPECT_GT(near(eastToNorth->img(), northEast), 0);
    EXPECT_EQ(near(eastToNorth->img(), southWest), 0);
    EXPECT_EQ(near(eastToNorth->img(), south), 0);

    auto northToEast = drawArc({60, 20}, {100, 60});
    EXPECT_EQ(near(northToEast->img(), northEast), 0);
    EXPECT_GT(near(northToEast->img(), southWest), 0);
    EXPECT_GT(near(northToEast->img(), south), 0);

    // Points off the rim count by their radial; the same radial twice is a full circle.
    auto whole = drawArc({110, 60}, {200, 60});
    EXPECT_GT(near(whole->img(), northEast), 0);
    EXPECT_GT(near(whole->img(), southWest), 0);

    Page blank;
    Arc(blank.dc(), 50, 50, 50, 50, 0, 0, 10, 10);
    EXPECT_EQ(ink(blank.img(), blank.img().rect()), 0);
}

TEST(DeviceContext, TextOutCellEscapementAndBackground) {
    auto write = [](int32_t height, int32_t escapement, bool opaque) {
        auto page = std::make_unique<Page>(300, 300);
        HDC dc = page->dc();
        LOGFONT lf;
        lf.lfHeight = height;
        lf.lfEscapement = escapement;
        lf.lfFaceName = QStringLiteral("Arial") + QChar(0) + QStringLiteral("   ");
        HFONT font = CreateFontIndirectA(lf);
        HGDIOBJ old = SelectObject(dc, font);
        SetTextColor(dc, kRed);
        if (opaque) {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, kGreen);
        }
        TextOutA(dc, 150, 150, QStringLiteral("HHHH"));
        SelectObject(dc, old);
        DeleteObject(font);
        return page;
    };
    // Character height -50: capital H is about 0.72 of the em tall, its top a little
    // below the cell's top (the ascent exceeds the cap height).
    auto flat = write(-50, 0, false);
    QRect box = probe::inkBox(flat->img());
    EXPECT_NEAR(box.height(), 36, 2);
    EXPECT_NEAR(box.top(), 150 + 45 - 36, 2);  // baseline at the ascent (0.905 em)
    EXPECT_GE(box.left(), 150);
    EXPECT_LT(box.left(), 158);
    EXPECT_GT(box.width(), 100);
    EXPECT_EQ(at(flat->img(), box.left() + 1, box.center().y()), kRed);

    // A positive height is the whole cell: the same face at cell height 56 (em ~50).
    auto cell = write(56, 0, false);
    EXPECT_NEAR(probe::inkBox(cell->img()).height(), 36, 2);

    // 90 degrees: the line runs up the page from the point, the cell to its right.
    auto up = write(-50, 900, false);
    box = probe::inkBox(up->img());
    EXPECT_LE(box.bottom(), 150);
    EXPECT_GT(box.height(), 100);
    EXPECT_GE(box.left(), 150);
    EXPECT_LE(box.right(), 150 + 56);

    // 180 degrees: upside down, to the left of and above the point.
    auto down = write(-50, 1800, false);
    box = probe::inkBox(down->img());
    EXPECT_LE(box.right(), 150);
    EXPECT_LE(box.bottom(), 150);

    // Opaque: the whole cell takes the background colour.
    auto opaque = write(-50, 0, true);
    EXPECT_EQ(at(opaque->img(), 151, 151), kGreen);
    EXPECT_EQ(at(opaque->img(), 151, 150 + 54), kGreen);
    EXPECT_TRUE(isWhite(opaque->img().pixel(149, 160)));
    EXPECT_TRUE(isWhite(opaque->img().pixel(151, 150 + 58)));
}

TEST(DeviceContext, MissingFaceFallsBack) {
    Page page(200, 60);
    LOGFONT lf;
    lf.lfHeight = -20;
    lf.lfFaceName = QStringLiteral("Nessun Carattere Simile");
    HFONT font = CreateFontIndirectA(lf);
    HGDIOBJ old = SelectObject(page.dc(), font);
    EXPECT_TRUE(TextOutA(page.dc(), 5, 5, QStringLiteral("Testo")));
    SelectObject(page.dc(), old);
    DeleteObject(font);
    EXPECT_GT(ink(page.img(), page.img().rect()), 20);
}

TEST(DeviceContext, DeviceCaps) {
    DeviceContext dc;
    DeviceGeometry g;
    g.dpiX = 600;
    g.dpiY = 300;
    g.width = 4760;
    g.height = 3408;
    g.physicalWidth = 4960;
    g.physicalHeight = 3508;
    g.physicalOffsetX = 100;
    g.physicalOffsetY = 50;
    dc.setGeometry(g);
    EXPECT_EQ(GetDeviceCaps(&dc, LOGPIXELSX), 600);
    EXPECT_EQ(GetDeviceCaps(&dc, LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(&dc, PHYSICALOFFSETX), 100);
    EXPECT_EQ(GetDeviceCaps(&dc, PHYSICALOFFSETY), 50);
    EXPECT_EQ(GetDeviceCaps(&dc, PHYSICALWIDTH), 4960);
    EXPECT_EQ(GetDeviceCaps(&dc, HORZRES), 4760);
    EXPECT_EQ(GetDeviceCaps(&dc, VERTSIZE), 289);
    EXPECT_EQ(GetDeviceCaps(&dc, 999), 0);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
    // Without a painter nothing is drawn and nothing fails.
    EXPECT_TRUE(dc.ellipse(0, 0, 10, 10));
    EXPECT_TRUE(dc.textOut(0, 0, QStringLiteral("x")));
}

TEST(DeviceContext, ProposedFacesResolveToMetricCompatibleFonts) {
    const std::pair<const char*, const char*> faces[] = {
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& [face, installed] : faces) {
        QFont font(QString::fromLatin1(face));
        EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(installed)) << face;
    }
}

TEST(DeviceContext, PatternsKeepTheirSizeOnPaper) {
    // At twice the screen's resolution, hatch lines and picture tiles are twice as
    // many pixels, so that they measure the same on paper.
    Page page(100, 60, 192);
    HDC dc = page.dc();
    HPEN nopen = CreatePen(PS_NULL, 0, 0);
    HGDIOBJ oldPen = SelectObject(dc, nopen);
    HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, kBlue);
    HGDIOBJ oldBrush = SelectObject(dc, hatch);
    square(dc, 0, 0, 40, 60);
    SelectObject(dc, oldBrush);
    DeleteObject(hatch);
    QVector<int> rows;
    for (int y = 0; y < 60; ++y)
        if (at(page.img(), 20, y) == kBlue) rows.append(y);
    ASSERT_GE(rows.size(), 6);
    EXPECT_EQ(rows[1] - rows[0], 1) << "two pixels thick";
    EXPECT_EQ(rows[2] - rows[0], 16) << "every 16 pixels";

    QImage tile(2, 1, QImage::Format_RGB32);
    tile.setPixel(0, 0, qRgb(0, 0, 255));
    tile.setPixel(1, 0, qRgb(0, 255, 0));
    const HBITMAP bmp = registerBitmap(tile);
    HBRUSH pattern = CreatePatternBrush(bmp);
    oldBrush = SelectObject(dc, pattern);
    square(dc, 50, 0, 100, 60);
    SelectObject(dc, oldBrush);
    DeleteObject(pattern);
    SelectObject(dc, oldPen);
    DeleteObject(nopen);
    deleteBitmap(bmp);
    EXPECT_EQ(at(page.img(), 60, 10), kBlue);
    EXPECT_EQ(at(page.img(), 61, 10), kBlue);
    EXPECT_EQ(at(page.img(), 62, 10), kGreen);
    EXPECT_EQ(at(page.img(), 63, 10), kGreen);
}
