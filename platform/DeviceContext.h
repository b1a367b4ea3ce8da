#pragma once

// A device context with the graphics operations the drawing classes were written
// against: pens, brushes and fonts are created apart from the device, selected into
// it (the previous object of the same kind comes back so that it can be restored)
// and deleted by their creator. Drawing goes to the QPainter of the surface that
// owns the context, in device pixels.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QPainter;

namespace gdi {

using COLORREF = uint32_t;  // 0x00BBGGRR

inline QColor toQColor(COLORREF c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
inline COLORREF RGB(int r, int g, int b) {
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}

enum PenStyle : int32_t {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
};

enum HatchStyle : int32_t {
    HS_HORIZONTAL = 0,  // -----
    HS_VERTICAL = 1,    // |||||
    HS_FDIAGONAL = 2,   // \\\\\ (down from left to right)
    HS_BDIAGONAL = 3,   // ///// (up from left to right)
    HS_CROSS = 4,       // +++++
    HS_DIAGCROSS = 5,   // xxxxx
};

enum BkMode : int32_t { TRANSPARENT = 1, OPAQUE = 2 };

// Indexes of the device capabilities the programs read.
enum DeviceCapIndex : int32_t {
    HORZSIZE = 4,  // millimetres
    VERTSIZE = 6,
    HORZRES = 8,  // pixels of the drawable area
    VERTRES = 10,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    PHYSICALWIDTH = 110,
    PHYSICALHEIGHT = 111,
    PHYSICALOFFSETX = 112,
    PHYSICALOFFSETY = 113,
};

enum FontWeight : int32_t { FW_DONTCARE = 0, FW_NORMAL = 400, FW_BOLD = 700 };

struct POINT {
    int32_t x = 0;
    int32_t y = 0;
};

// Logical font: a negative height asks for that character height (em) in pixels,
// a positive one for that cell height (ascent + descent), 0 for a default size.
struct LOGFONT {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;  // tenths of a degree, anticlockwise on the page
    int32_t lfOrientation = 0;
    int32_t lfWeight = FW_DONTCARE;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    QString lfFaceName;  // trailing NULs and what follows the first NUL are ignored
};

// Graphic objects. The stock objects of a context are never deleted.
struct GdiObject {
    enum class Kind { Pen, Brush, Font };
    explicit GdiObject(Kind k) : kind(k) {}
    virtual ~GdiObject() = default;
    Kind kind;
    bool stock = false;
    int selections = 0;  // how many contexts hold it selected
};

struct GdiPen : GdiObject {
    GdiPen() : GdiObject(Kind::Pen) {}
    int32_t style = PS_SOLID;
    int32_t width = 0;  // 0 and 1 both draw one pixel
    COLORREF color = 0;
};

struct GdiBrush : GdiObject {
    enum class Type { Solid, Hatched, Pattern, Hollow };
    GdiBrush() : GdiObject(Kind::Brush) {}
    Type type = Type::Solid;
    int32_t hatch = HS_HORIZONTAL;
    COLORREF color = 0;
    QImage pattern;
};

struct GdiFont : GdiObject {
    GdiFont() : GdiObject(Kind::Font) {}
    LOGFONT lf;
    // Resolved for one device resolution; rebuilt when selected into another.
    QFont font;
    double fontDpi = 0;
    double emPx = 0;
    double ascent = 0;
    double descent = 0;
};

using HGDIOBJ = GdiObject*;
using HPEN = GdiPen*;
using HBRUSH = GdiBrush*;
using HFONT = GdiFont*;
using HBITMAP = int32_t;  // handle of a bitmap in the bitmap table below

// Bitmaps reachable by a 32-bit handle, as pictures are handed around by number
// (the pattern fill of a surface is written into its specification as a handle).
HBITMAP registerBitmap(const QImage& image);
QImage bitmap(HBITMAP handle);  // null image for an unknown handle
bool deleteBitmap(HBITMAP handle);

// Geometry of the device behind a context, in device pixels.
struct DeviceGeometry {
    double dpiX = 96;
    double dpiY = 96;
    int width = 0;  // drawable area
    int height = 0;
    int physicalWidth = 0;  // whole sheet; 0 = same as the drawable area
    int physicalHeight = 0;
    int physicalOffsetX = 0;  // drawable area's top-left corner on the sheet
    int physicalOffsetY = 0;
};

class DeviceContext {
public:
    DeviceContext();
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // The painter may be null (nothing is drawn) and is not owned.
    void setPainter(QPainter* painter) { painter_ = painter; }
    // Alternatively a source asked for the painter at each drawing operation, so
    // that a printer starts its document only when something is drawn (and again
    // after its end). Measuring never asks for it.
    void setPainterSource(std::function<QPainter*()> source) { painterSource_ = std::move(source); }
    QPainter* painter() { return activePainter(); }
    void setGeometry(const DeviceGeometry& g);
    const DeviceGeometry& geometry() const { return geometry_; }

    // Object selection: returns the object of the same kind that was selected,
    // or null when the object is null.
    HGDIOBJ selectObject(HGDIOBJ object);
    HPEN currentPen() const { return pen_; }
    HBRUSH currentBrush() const { return brush_; }
    HFONT currentFont() const { return font_; }

    int32_t setBkMode(int32_t mode);  // returns the previous mode, 0 for a bad mode
    int32_t bkMode() const { return bkMode_; }
    COLORREF setBkColor(COLORREF color);
    COLORREF bkColor() const { return bkColor_; }
    COLORREF setTextColor(COLORREF color);
    COLORREF textColor() const { return textColor_; }

    bool polygon(const POINT* points, int count);
    bool polyline(const POINT* points, int count);
    bool ellipse(int left, int top, int right, int bottom);
    // Arc of the ellipse in the box, counter-clockwise as seen on the page from the
    // radial through the start point to the radial through the end point.
    bool arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    // Text with its cell's top-left corner at (x, y), turned by the font's escapement.
    bool textOut(int x, int y, const QString& text);
    // Advance width and cell height of a text in the selected font, in pixels.
    QSizeF textExtent(const QString& text);

    int32_t getDeviceCaps(int32_t index) const;

    // Device pixels per hatch or dash unit: patterns keep their size on paper
    // whatever the resolution (a screen pixel at 96 dpi is one unit).
    int patternScale() const;

private:
    void applyPen();
    const QImage& hatchImage(int32_t style, COLORREF color);
    const QImage& patternImage(const QImage& source);
    QBrush fillBrush();
    bool hatchOnOpaque() const {
        return brush_->type == GdiBrush::Type::Hatched && bkMode_ == OPAQUE;
    }
    QPainter* activePainter() {
        if (painterSource_) painter_ = painterSource_();
        return painter_;
    }
    // A painter whose device may be asked for its resolution without starting anything.
    QPainter* measuringPainter() const { return painterSource_ ? nullptr : painter_; }
    void resolveFont(GdiFont* font, const QPainter* painter);

    QPainter* painter_ = nullptr;
    std::function<QPainter*()> painterSource_;
    DeviceGeometry geometry_;
    HPEN pen_;
    HBRUSH brush_;
    HFONT font_;
    std::unique_ptr<GdiPen> stockPen_;
    std::unique_ptr<GdiBrush> stockBrush_;
    std::unique_ptr<GdiFont> stockFont_;
    int32_t bkMode_ = TRANSPARENT;
    COLORREF bkColor_ = 0xFFFFFF;
    COLORREF textColor_ = 0;
    QHash<quint64, QImage> hatchCache_;
    QHash<qint64, QImage> patternCache_;
};

using HDC = DeviceContext*;

// Object creation and the operations under the names the drawing code uses.
HPEN CreatePen(int32_t style, int32_t width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int32_t style, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP bitmap);  // null for an unknown bitmap
HBRUSH CreateHollowBrush();
HFONT CreateFontIndirectA(const LOGFONT& lf);
// Fails (false, nothing deleted) for a null or stock object or one still selected.
bool DeleteObject(HGDIOBJ object);

inline HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    return dc ? dc->selectObject(object) : nullptr;
}
inline int32_t SetBkMode(HDC dc, int32_t mode) {
    return dc ? dc->setBkMode(mode) : 0;
}
inline COLORREF SetBkColor(HDC dc, COLORREF color) {
    return dc ? dc->setBkColor(color) : 0;
}
inline COLORREF SetTextColor(HDC dc, COLORREF color) {
    return dc ? dc->setTextColor(color) : 0;
}
inline bool Polygon(HDC dc, const POINT* points, int count) {
    return dc && dc->polygon(points, count);
}
inline bool Polyline(HDC dc, const POINT* points, int count) {
    return dc && dc->polyline(points, count);
}
inline bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
    return dc && dc->ellipse(left, top, right, bottom);
}
inline bool Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    return dc && dc->arc(left, top, right, bottom, xs, ys, xe, ye);
}
// count < 0 draws the whole text.
inline bool TextOutA(HDC dc, int x, int y, const QString& text, int count = -1) {
    return dc && dc->textOut(x, y, count < 0 ? text : text.left(count));
}
inline int32_t GetDeviceCaps(HDC dc, int32_t index) {
    return dc ? dc->getDeviceCaps(index) : 0;
}

}  // namespace gdi
