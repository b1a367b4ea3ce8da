#include "DeviceContext.h"

#include <QFontMetricsF>
#include <QMutex>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <vector>

namespace gdi {

namespace {

struct BitmapTable {
    QMutex mutex;
    QHash<HBITMAP, QImage> images;
    HBITMAP next = 0x0B000001;
};

BitmapTable& bitmapTable() {
    static BitmapTable table;
    return table;
}

// Ascent and descent per unit of em for a face, measured once: creating a font for
// every text of a page must not go back to the font database each time.
struct FaceMetrics {
    double ascent = 0.9;
    double descent = 0.2;
};

FaceMetrics faceMetrics(const QFont& face) {
    static QHash<QString, FaceMetrics> cache;
    const QString key = face.family() + QLatin1Char('|') + QString::number(face.weight()) +
                        (face.italic() ? QStringLiteral("|i") : QString());
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    QFont probe(face);
    probe.setPixelSize(1000);
    QFontMetricsF fm(probe);
    FaceMetrics m;
    if (fm.ascent() + fm.descent() > 0) {
        m.ascent = fm.ascent() / 1000.0;
        m.descent = fm.descent() / 1000.0;
    }
    cache.insert(key, m);
    return m;
}

QString faceName(const QString& raw) {
    const int nul = raw.indexOf(QChar(0));
    QString name = (nul >= 0 ? raw.left(nul) : raw).trimmed();
    return name.isEmpty() ? QStringLiteral("Arial") : name;
}

QVector<QPoint> toQPoints(const POINT* points, int count) {
    QVector<QPoint> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) out.append(QPoint(points[i].x, points[i].y));
    return out;
}

// The display's dash patterns, in pixels at one pattern unit.
QVector<qreal> dashPattern(int32_t style) {
    switch (style) {
        case PS_DASH:
            return {18, 6};
        case PS_DOT:
            return {3, 3};
        case PS_DASHDOT:
            return {9, 6, 3, 6};
        case PS_DASHDOTDOT:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

}  // namespace

HBITMAP registerBitmap(const QImage& image) {
    if (image.isNull()) return 0;
    BitmapTable& t = bitmapTable();
    QMutexLocker lock(&t.mutex);
    const HBITMAP h = t.next++;
    t.images.insert(h, image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return h;
}

QImage bitmap(HBITMAP handle) {
    BitmapTable& t = bitmapTable();
    QMutexLocker lock(&t.mutex);
    return t.images.value(handle);
}

bool deleteBitmap(HBITMAP handle) {
    BitmapTable& t = bitmapTable();
    QMutexLocker lock(&t.mutex);
    return t.images.remove(handle) > 0;
}

HPEN CreatePen(int32_t style, int32_t width, COLORREF color) {
    auto* p = new GdiPen;
    p->style = (style >= PS_SOLID && style <= PS_NULL) ? style : PS_SOLID;
    p->width = width;
    p->color = color & 0xFFFFFF;
    return p;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto* b = new GdiBrush;
    b->type = GdiBrush::Type::Solid;
    b->color = color & 0xFFFFFF;
    return b;
}

HBRUSH CreateHatchBrush(int32_t style, COLORREF color) {
    auto* b = new GdiBrush;
    b->type = GdiBrush::Type::Hatched;
    b->hatch = std::clamp<int32_t>(style, HS_HORIZONTAL, HS_DIAGCROSS);
    b->color = color & 0xFFFFFF;
    return b;
}

HBRUSH CreatePatternBrush(HBITMAP handle) {
    QImage image = bitmap(handle);
    if (image.isNull()) return nullptr;
    auto* b = new GdiBrush;
    b->type = GdiBrush::Type::Pattern;
    b->pattern = image;
    return b;
}

HBRUSH CreateHollowBrush() {
    auto* b = new GdiBrush;
    b->type = GdiBrush::Type::Hollow;
    return b;
}

HFONT CreateFontIndirectA(const LOGFONT& lf) {
    auto* f = new GdiFont;
    f->lf = lf;
    return f;
}

bool DeleteObject(HGDIOBJ object) {
    if (!object || object->stock || object->selections > 0) return false;
    delete object;
    return true;
}

DeviceContext::DeviceContext()
    : stockPen_(std::make_unique<GdiPen>()),
      stockBrush_(std::make_unique<GdiBrush>()),
      stockFont_(std::make_unique<GdiFont>()) {
    // A surface's context starts with a black one-pixel pen, no fill and the
    // default font, and draws text on a transparent background.
    stockPen_->stock = true;
    stockBrush_->stock = true;
    stockBrush_->type = GdiBrush::Type::Hollow;
    stockFont_->stock = true;
    stockFont_->lf.lfHeight = -13;
    pen_ = stockPen_.get();
    brush_ = stockBrush_.get();
    font_ = stockFont_.get();
    pen_->selections++;
    brush_->selections++;
    font_->selections++;
}

DeviceContext::~DeviceContext() {
    pen_->selections--;
    brush_->selections--;
    font_->selections--;
}

HGDIOBJ DeviceContext::selectObject(HGDIOBJ object) {
    if (!object) return nullptr;
    HGDIOBJ previous = nullptr;
    switch (object->kind) {
        case GdiObject::Kind::Pen:
            previous = pen_;
            pen_ = static_cast<HPEN>(object);
            break;
        case GdiObject::Kind::Brush:
            previous = brush_;
            brush_ = static_cast<HBRUSH>(object);
            break;
        case GdiObject::Kind::Font:
            previous = font_;
            font_ = static_cast<HFONT>(object);
            break;
    }
    previous->selections--;
    object->selections++;
    return previous;
}

int32_t DeviceContext::setBkMode(int32_t mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    std::swap(bkMode_, mode);
    return mode;
}

COLORREF DeviceContext::setBkColor(COLORREF color) {
    std::swap(bkColor_, color);
    return color;
}

COLORREF DeviceContext::setTextColor(COLORREF color) {
    std::swap(textColor_, color);
    return color;
}

void DeviceContext::setGeometry(const DeviceGeometry& g) {
    // Hatches and patterns are sized for a resolution.
    if (g.dpiY != geometry_.dpiY) {
        hatchCache_.clear();
        patternCache_.clear();
    }
    geometry_ = g;
}

int DeviceContext::patternScale() const {
    return std::max(1, int(std::lround(geometry_.dpiY / 96.0)));
}

void DeviceContext::applyPen() {
    if (pen_->style == PS_NULL) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    const int width = std::max(1, pen_->width);
    QPen pen(toQColor(pen_->color));
    pen.setWidth(width);
    pen.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::FlatCap);
    // Styled pens exist only one pixel wide; wider ones draw solid.
    if (width == 1 && pen_->style != PS_SOLID) {
        QVector<qreal> dashes = dashPattern(pen_->style);
        const int scale = patternScale();
        for (qreal& d : dashes) d *= scale;
        pen.setDashPattern(dashes);
    }
    painter_->setPen(pen);
}

const QImage& DeviceContext::hatchImage(int32_t style, COLORREF color) {
    const quint64 key = (quint64(uint32_t(style)) << 32) | color;
    auto it = hatchCache_.find(key);
    if (it != hatchCache_.end()) return *it;
    const int unit = patternScale();
    const int period = 8 * unit;
    QImage img(period, period, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    const QRgb ink = toQColor(color).rgba();
    for (int y = 0; y < period; ++y) {
        for (int x = 0; x < period; ++x) {
            const bool h = y < unit;
            const bool v = x < unit;
            const bool down = ((x - y) % period + period) % period < unit;  // "\"
            const bool up = (x + y) % period < unit;                        // "/"
            bool on = false;
            switch (style) {
                case HS_HORIZONTAL:
                    on = h;
                    break;
                case HS_VERTICAL:
                    on = v;
                    break;
                case HS_FDIAGONAL:
                    on = down;
                    break;
                case HS_BDIAGONAL:
                    on = up;
                    break;
                case HS_CROSS:
                    on = h || v;
                    break;
                default:
                    on = down || up;
                    break;
            }
            if (on) img.setPixel(x, y, ink);
        }
    }
    return *hatchCache_.insert(key, img);
}

QBrush DeviceContext::fillBrush() {
    switch (brush_->type) {
        case GdiBrush::Type::Solid:
            return QBrush(toQColor(brush_->color));
        case GdiBrush::Type::Hatched:
            return QBrush(hatchImage(brush_->hatch, brush_->color));
        case GdiBrush::Type::Pattern:
            return brush_->pattern.isNull() ? QBrush() : QBrush(patternImage(brush_->pattern));
        default:
            return QBrush();
    }
}

// Pictures of pattern brushes grow with the resolution as hatches do; the grown
// copy is kept, since the same picture fills shape after shape.
const QImage& DeviceContext::patternImage(const QImage& source) {
    const int scale = patternScale();
    if (scale == 1) return source;
    const qint64 key = source.cacheKey();
    auto it = patternCache_.find(key);
    if (it != patternCache_.end()) return *it;
    if (patternCache_.size() > 16) patternCache_.clear();
    return *patternCache_.insert(key,
                                 source.scaled(source.width() * scale, source.height() * scale));
}

namespace {

// A hatch on an opaque background first gets the background colour under it.
template <typename Draw>
void paintShape(QPainter* painter, const QBrush& fill, bool backgroundUnder,
                const QColor& background, Draw draw) {
    if (backgroundUnder) {
        const QPen pen = painter->pen();
        painter->setPen(Qt::NoPen);
        painter->setBrush(background);
        draw();
        painter->setPen(pen);
    }
    painter->setBrush(fill);
    draw();
}

}  // namespace

bool DeviceContext::polygon(const POINT* points, int count) {
    if (count < 2 || !points) return false;
    if (!activePainter()) return true;
    applyPen();
    const QVector<QPoint> pts = toQPoints(points, count);
    paintShape(painter_, fillBrush(), hatchOnOpaque(), toQColor(bkColor_),
               [&] { painter_->drawPolygon(pts.constData(), pts.size(), Qt::OddEvenFill); });
    return true;
}

bool DeviceContext::polyline(const POINT* points, int count) {
    if (count < 2 || !points) return false;
    if (!activePainter()) return true;
    applyPen();
    const QVector<QPoint> pts = toQPoints(points, count);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawPolyline(pts.constData(), pts.size());
    return true;
}

namespace {

// The box of an ellipse or arc, in doubles: 32-bit corners far apart must not
// overflow. Empty when it has no width or height.
QRectF boxOf(int left, int top, int right, int bottom) {
    const double l = std::min(left, right), r = std::max(left, right);
    const double t = std::min(top, bottom), b = std::max(top, bottom);
    return QRectF(l, t, r - l, b - t);
}

}  // namespace

bool DeviceContext::ellipse(int left, int top, int right, int bottom) {
    if (!activePainter()) return true;
    const QRectF r = boxOf(left, top, right, bottom);
    // An empty box draws nothing, as a zero-sized ellipse has no area and no rim.
    if (r.width() <= 0 || r.height() <= 0) return true;
    applyPen();
    paintShape(painter_, fillBrush(), hatchOnOpaque(), toQColor(bkColor_),
               [&] { painter_->drawEllipse(r); });
    return true;
}

bool DeviceContext::arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                        int yEnd) {
    if (!activePainter()) return true;
    const QRectF r = boxOf(left, top, right, bottom);
    if (r.width() <= 0 || r.height() <= 0) return true;
    const double cx = r.center().x(), cy = r.center().y();
    const double ax = r.width() / 2.0, ay = r.height() / 2.0;
    // Angles as seen on the page (y grows down), anticlockwise from +x.
    auto angleOf = [&](int x, int y) {
        return std::atan2(-(y - cy) / ay, (x - cx) / ax) * 180.0 / M_PI;
    };
    const double start = angleOf(xStart, yStart);
    double span = angleOf(xEnd, yEnd) - start;
    while (span <= 0) span += 360.0;  // the same radial twice is a whole ellipse
    while (span > 360.0) span -= 360.0;
    applyPen();
    painter_->setBrush(Qt::NoBrush);
    painter_->drawArc(r, int(std::lround(start * 16)), int(std::lround(span * 16)));
    return true;
}

void DeviceContext::resolveFont(GdiFont* f, const QPainter* painter) {
    double dpi = geometry_.dpiY;
    if (painter && painter->device()) dpi = painter->device()->logicalDpiY();
    if (dpi <= 0) dpi = 96;
    if (f->fontDpi == dpi) return;
    const LOGFONT& lf = f->lf;
    QFont font(faceName(lf.lfFaceName));
    if (lf.lfWeight > 0) font.setWeight(QFont::Weight(std::clamp<int32_t>(lf.lfWeight, 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    font.setHintingPreference(QFont::PreferNoHinting);
    const FaceMetrics m = faceMetrics(font);
    // The mapper's rule: negative = character height, positive = cell height.
    double em = 16.0;
    if (lf.lfHeight < 0)
        em = -double(lf.lfHeight);
    else if (lf.lfHeight > 0)
        em = lf.lfHeight / (m.ascent + m.descent);
    font.setPointSizeF(em * 72.0 / dpi);
    f->font = font;
    f->fontDpi = dpi;
    f->emPx = em;
    f->ascent = m.ascent * em;
    f->descent = m.descent * em;
}

QSizeF DeviceContext::textExtent(const QString& text) {
    resolveFont(font_, measuringPainter());
    // Measured at a large size and scaled, so that no device is needed.
    QFont probe = font_->font;
    probe.setPixelSize(1000);
    const double advance = QFontMetricsF(probe).horizontalAdvance(text) * font_->emPx / 1000.0;
    return QSizeF(advance, font_->ascent + font_->descent);
}

bool DeviceContext::textOut(int x, int y, const QString& text) {
    if (!activePainter()) return true;
    if (text.isEmpty()) return true;
    resolveFont(font_, painter_);
    const QTransform saved = painter_->worldTransform();
    QTransform t = saved;
    t.translate(x, y);
    if (font_->lf.lfEscapement % 3600 != 0) t.rotate(-font_->lf.lfEscapement / 10.0);
    painter_->setWorldTransform(t);
    painter_->setFont(font_->font);
    if (bkMode_ == OPAQUE) {
        const qreal width = QFontMetricsF(font_->font, painter_->device()).horizontalAdvance(text);
        painter_->fillRect(QRectF(0, 0, width, font_->ascent + font_->descent), toQColor(bkColor_));
    }
    painter_->setPen(toQColor(textColor_));
    painter_->drawText(QPointF(0, font_->ascent), text);
    painter_->setWorldTransform(saved);
    return true;
}

int32_t DeviceContext::getDeviceCaps(int32_t index) const {
    const DeviceGeometry& g = geometry_;
    switch (index) {
        case HORZSIZE:
            return int32_t(std::lround(g.width * 25.4 / g.dpiX));
        case VERTSIZE:
            return int32_t(std::lround(g.height * 25.4 / g.dpiY));
        case HORZRES:
            return g.width;
        case VERTRES:
            return g.height;
        case LOGPIXELSX:
            return int32_t(std::lround(g.dpiX));
        case LOGPIXELSY:
            return int32_t(std::lround(g.dpiY));
        case PHYSICALWIDTH:
            return g.physicalWidth > 0 ? g.physicalWidth : g.width;
        case PHYSICALHEIGHT:
            return g.physicalHeight > 0 ? g.physicalHeight : g.height;
        case PHYSICALOFFSETX:
            return g.physicalOffsetX;
        case PHYSICALOFFSETY:
            return g.physicalOffsetY;
        default:
            return 0;
    }
}

}  // namespace gdi
