#include "Surface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>

#include <cmath>
#include <stdexcept>

namespace platform {

namespace {

const char* kInvalidValue = "Valore della proprietà non valido";

bool validMode(int mode) {
    return mode >= vbUser && mode <= vbHimetric;
}

}  // namespace

gdi::DeviceGeometry deviceGeometry(const QPaintDevice& device) {
    gdi::DeviceGeometry g;
    g.dpiX = device.logicalDpiX() > 0 ? device.logicalDpiX() : 96;
    g.dpiY = device.logicalDpiY() > 0 ? device.logicalDpiY() : 96;
    g.width = device.width();
    g.height = device.height();
    return g;
}

PainterSurface::PainterSurface() {
    resetUnitScale();
}

PainterSurface::PainterSurface(QPainter* painter, const gdi::DeviceGeometry& geometry) {
    attach(painter, geometry);
}

void PainterSurface::attach(QPainter* painter, const gdi::DeviceGeometry& geometry) {
    painter_ = painter;
    dc_.setPainter(painter);
    dc_.setPainterSource({});
    gdi::DeviceGeometry g = geometry;
    if (g.dpiX <= 0) g.dpiX = 96;
    if (g.dpiY <= 0) g.dpiY = 96;
    dc_.setGeometry(g);
    if (scaleMode_ != vbUser) resetUnitScale();
}

void PainterSurface::attachSource(std::function<QPainter*()> source,
                                  const gdi::DeviceGeometry& geometry) {
    attach(nullptr, geometry);
    dc_.setPainterSource(std::move(source));
}

double PainterSurface::twipsPerUnit(int mode, bool horizontal) const {
    switch (mode) {
        case vbUser: {
            const double extent = horizontal ? scaleWidth_ : scaleHeight_;
            const double twips =
                horizontal ? pixelWidth() * twipsPerPixelX() : pixelHeight() * twipsPerPixelY();
            return extent != 0 ? twips / extent : 1.0;
        }
        case vbTwips:
            return 1.0;
        case vbPoints:
            return 20.0;
        case vbPixels:
            return horizontal ? twipsPerPixelX() : twipsPerPixelY();
        case vbCharacters:
            return horizontal ? 120.0 : 240.0;
        case vbInches:
            return 1440.0;
        case vbMillimeters:
            return 1440.0 / 25.4;
        case vbCentimeters:
            return 1440.0 / 2.54;
        case vbHimetric:
            return 1440.0 / 2540.0;
        default:
            throw std::invalid_argument(kInvalidValue);
    }
}

void PainterSurface::resetUnitScale() {
    scaleLeft_ = 0;
    scaleTop_ = 0;
    scaleWidth_ = pixelWidth() * twipsPerPixelX() / twipsPerUnit(scaleMode_, true);
    scaleHeight_ = pixelHeight() * twipsPerPixelY() / twipsPerUnit(scaleMode_, false);
}

void PainterSurface::setScaleMode(int mode) {
    if (!validMode(mode)) throw std::invalid_argument(kInvalidValue);
    scaleMode_ = mode;
    if (mode != vbUser) resetUnitScale();
}

void PainterSurface::setScaleLeft(double v) {
    scaleLeft_ = v;
    scaleMode_ = vbUser;
}

void PainterSurface::setScaleTop(double v) {
    scaleTop_ = v;
    scaleMode_ = vbUser;
}

void PainterSurface::setScaleWidth(double v) {
    if (v == 0 || !std::isfinite(v)) throw std::invalid_argument(kInvalidValue);
    scaleWidth_ = v;
    scaleMode_ = vbUser;
}

void PainterSurface::setScaleHeight(double v) {
    if (v == 0 || !std::isfinite(v)) throw std::invalid_argument(kInvalidValue);
    scaleHeight_ = v;
    scaleMode_ = vbUser;
}

double PainterSurface::ScaleX(double value, int fromScale, int toScale) const {
    return value * twipsPerUnit(fromScale, true) / twipsPerUnit(toScale, true);
}

double PainterSurface::ScaleY(double value, int fromScale, int toScale) const {
    return value * twipsPerUnit(fromScale, false) / twipsPerUnit(toScale, false);
}

QPointF PainterSurface::toDevice(double x, double y) const {
    return QPointF((x - scaleLeft_) * twipsPerUnit(scaleMode_, true) / twipsPerPixelX(),
                   (y - scaleTop_) * twipsPerUnit(scaleMode_, false) / twipsPerPixelY());
}

void PainterSurface::setDrawStyle(int style) {
    if (style < 0 || style > 6) throw std::invalid_argument(kInvalidValue);
    drawStyle_ = style;
}

void PainterSurface::setForeColor(gdi::COLORREF color) {
    foreColor_ = color & 0xFFFFFF;
    dc_.setTextColor(foreColor_);
}

QPen PainterSurface::linePen(gdi::COLORREF color) const {
    QPen pen(gdi::toQColor(color));
    pen.setWidth(drawWidth_);
    pen.setCapStyle(drawWidth_ > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(drawWidth_ > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    // Dashes and dots exist only for one-pixel lines, as with any platform pen.
    if (drawWidth_ == 1 && drawStyle_ >= 1 && drawStyle_ <= 4) {
        QVector<qreal> dashes;
        switch (drawStyle_) {
            case 1:
                dashes = {18, 6};
                break;
            case 2:
                dashes = {3, 3};
                break;
            case 3:
                dashes = {9, 6, 3, 6};
                break;
            default:
                dashes = {9, 3, 3, 3, 3, 3};
                break;
        }
        const int scale = dc_.patternScale();
        for (qreal& d : dashes) d *= scale;
        pen.setDashPattern(dashes);
    }
    return pen;
}

void PainterSurface::Line(double x1, double y1, double x2, double y2,
                          std::optional<gdi::COLORREF> color, LineForm form) {
    currentX_ = x2;
    currentY_ = y2;
    if (!ensurePainter()) return;
    const gdi::COLORREF c = color.value_or(foreColor_) & 0xFFFFFF;
    const QPointF a = toDevice(x1, y1);
    const QPointF b = toDevice(x2, y2);
    if (form == LineForm::BoxFill) {
        painter_->fillRect(QRectF(a, b).normalized(), gdi::toQColor(c));
        return;
    }
    if (drawStyle_ == 5) return;  // transparent pen
    painter_->setPen(linePen(c));
    painter_->setBrush(Qt::NoBrush);
    if (form == LineForm::Box)
        painter_->drawRect(QRectF(a, b).normalized());
    else
        painter_->drawLine(a, b);
}

void PainterSurface::PSet(double x, double y, std::optional<gdi::COLORREF> color) {
    currentX_ = x;
    currentY_ = y;
    if (!ensurePainter()) return;
    const QColor c = gdi::toQColor(color.value_or(foreColor_) & 0xFFFFFF);
    const QPointF p = toDevice(x, y);
    if (drawWidth_ <= 1) {
        painter_->setPen(QPen(c, 1));
        painter_->drawPoint(p);
    } else {
        painter_->setPen(Qt::NoPen);
        painter_->setBrush(c);
        const double r = drawWidth_ / 2.0;
        painter_->drawEllipse(p, r, r);
    }
}

void PainterSurface::PaintPicture(const QImage& picture, double x, double y, double width,
                                  double height) {
    if (picture.isNull() || !ensurePainter()) return;
    const QPointF a = toDevice(x, y);
    const QPointF b = toDevice(x + width, y + height);
    QRectF target(a, b);
    if (target.width() == 0 || target.height() == 0) return;
    // A negative extent mirrors the picture along that axis.
    const bool flipX = target.width() < 0;
    const bool flipY = target.height() < 0;
    const QImage img = (flipX || flipY) ? picture.mirrored(flipX, flipY) : picture;
    painter_->drawImage(target.normalized(), img);
}

void PainterSurface::Cls() {
    currentX_ = 0;
    currentY_ = 0;
    if (!ensurePainter()) return;
    const QTransform saved = painter_->worldTransform();
    painter_->resetTransform();
    painter_->fillRect(QRect(0, 0, pixelWidth(), pixelHeight()), gdi::toQColor(backColor_));
    painter_->setWorldTransform(saved);
}

void PainterSurface::setFontName(const QString& name) {
    fontName_ = name;
    fontDirty_ = true;
}

void PainterSurface::setFontSize(double points) {
    if (!(points > 0) || points > 2048) throw std::invalid_argument(kInvalidValue);
    fontSize_ = points;
}

void PainterSurface::setFontBold(bool bold) {
    fontBold_ = bold;
    fontDirty_ = true;
}

// Measures at a large pixel size and scales, so that widths do not depend on
// hinting at one resolution or another.
void PainterSurface::updateFont() const {
    if (!fontDirty_) return;
    QString name = fontName_.trimmed();
    measureFont_ = QFont(name.isEmpty() ? QStringLiteral("Arial") : name);
    measureFont_.setBold(fontBold_);
    measureFont_.setHintingPreference(QFont::PreferNoHinting);
    measureFont_.setPixelSize(1000);
    fontDirty_ = false;
}

double PainterSurface::TextWidth(const QString& text) const {
    updateFont();
    const QFontMetricsF fm(measureFont_);
    const double emPx = fontSize_ * dpiY() / 72.0;
    double widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(QString(line).remove(QLatin1Char('\r'))));
    return ScaleX(widest * emPx / 1000.0, vbPixels, scaleMode_);
}

double PainterSurface::TextHeight(const QString& text) const {
    updateFont();
    const QFontMetricsF fm(measureFont_);
    const double emPx = fontSize_ * dpiY() / 72.0;
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    const double px = (fm.height() + (lines - 1) * fm.lineSpacing()) * emPx / 1000.0;
    return ScaleY(px, vbPixels, scaleMode_);
}

void PainterSurface::Print(const QString& text) {
    const double height = TextHeight(text);
    if (!text.isEmpty() && ensurePainter()) {
        updateFont();
        QFont font = measureFont_;
        font.setPointSizeF(fontSize_ * dpiY() / 72.0 * 72.0 /
                           (painter_->device() ? painter_->device()->logicalDpiY() : dpiY()));
        const QFontMetricsF fm(measureFont_);
        const double emPx = fontSize_ * dpiY() / 72.0;
        const QPointF at = toDevice(currentX_, currentY_);
        painter_->setFont(font);
        painter_->setPen(gdi::toQColor(foreColor_));
        double y = at.y() + fm.ascent() * emPx / 1000.0;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            painter_->drawText(QPointF(at.x(), y), QString(line).remove(QLatin1Char('\r')));
            y += fm.lineSpacing() * emPx / 1000.0;
        }
    }
    currentX_ = scaleLeft_;
    currentY_ += height;
}

namespace {

// The installed families, read once: the database is not scanned at each call.
const QStringList& installedFamilies() {
    static const QStringList families = QFontDatabase::families();
    return families;
}

}  // namespace

int PainterSurface::FontCount() const {
    return int(installedFamilies().size());
}

QString PainterSurface::Fonts(int index) const {
    const QStringList& f = installedFamilies();
    return index >= 0 && index < f.size() ? f.at(index) : QString();
}

PictureSurface::PictureSurface(int width, int height, double dpi) : dpi_(dpi > 0 ? dpi : 96) {
    resize(width, height);
}

PictureSurface::~PictureSurface() {
    detach();
    if (ownPainter_) ownPainter_->end();
}

void PictureSurface::resize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (ownPainter_) ownPainter_->end();
    image_ = QImage(width, height, QImage::Format_RGB32);
    const int dpm = int(std::lround(dpi_ / 0.0254));
    image_.setDotsPerMeterX(dpm);
    image_.setDotsPerMeterY(dpm);
    image_.fill(gdi::toQColor(backColor()));
    open();
}

void PictureSurface::open() {
    if (!ownPainter_) ownPainter_ = std::make_unique<QPainter>();
    ownPainter_->begin(&image_);
    // Shapes are drawn crisp as on the printer; texts and pictures smooth.
    ownPainter_->setRenderHint(QPainter::Antialiasing, false);
    ownPainter_->setRenderHint(QPainter::TextAntialiasing, true);
    ownPainter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
    gdi::DeviceGeometry g;
    g.dpiX = dpi_;
    g.dpiY = dpi_;
    g.width = image_.width();
    g.height = image_.height();
    attach(ownPainter_.get(), g);
}

}  // namespace platform
