#include "ClimateWidgets.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolTip>

#include <cmath>

#include "WindLoad.h"

namespace climate {

namespace {

class KeyRuleFilter : public QObject {
public:
    KeyRuleFilter(QLineEdit* field, KeyRule rule) : QObject(field), field_(field), rule_(rule) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != field_ || e->type() != QEvent::KeyPress) return false;
        const QString text = static_cast<QKeyEvent*>(e)->text();
        const bool separator = text == QLatin1String(".") || text == QLatin1String(",");
        if (!separator) return false;
        if (rule_ == KeyRule::WholeNumber) return true;  // refused
        if (text == QLatin1String(".")) {
            if (!field_->isReadOnly()) field_->insert(QStringLiteral(","));
            return true;
        }
        return false;
    }

private:
    QLineEdit* field_;
    KeyRule rule_;
};

}  // namespace

void installKeyRule(QLineEdit* field, KeyRule rule) {
    field->installEventFilter(new KeyRuleFilter(field, rule));
}

void selectField(QLineEdit* field) {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void ClickableLabel::mousePressEvent(QMouseEvent* e) {
    QLabel::mousePressEvent(e);
    emit clicked();
}

// ---------------------------------------------------------------------------

ZoneMapWidget::ZoneMapWidget(ZoneMap::Kind kind, QWidget* parent)
    : QWidget(parent), map_(ZoneMap::load(kind)) {
    setMouseTracking(true);
    if (map_.isAvailable()) renderer_ = std::make_unique<QSvgRenderer>(map_.svg());
}

ZoneMapWidget::~ZoneMapWidget() = default;

QTransform ZoneMapWidget::toWidget() const {
    const QRectF vb = map_.viewBox();
    if (vb.isEmpty()) return {};
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double s = std::min(area.width() / vb.width(), area.height() / vb.height());
    const double dx = area.left() + (area.width() - vb.width() * s) / 2 - vb.left() * s;
    const double dy = area.top() + (area.height() - vb.height() * s) / 2 - vb.top() * s;
    return QTransform(s, 0, 0, s, dx, dy);
}

int ZoneMapWidget::areaAtWidgetPoint(const QPointF& p) const {
    if (!map_.isAvailable()) return -1;
    bool invertible = false;
    const QTransform back = toWidget().inverted(&invertible);
    if (!invertible) return -1;
    return map_.areaAt(back.map(p));
}

QPoint ZoneMapWidget::widgetPointOf(int area) const {
    if (area < 0 || area >= map_.areas().size()) return {};
    const QTransform t = toWidget();
    const QRectF box = t.mapRect(map_.areas()[area].path.boundingRect());
    // The first pixel, scanning from the centre outwards, that hits this area.
    const QPoint c = box.center().toPoint();
    for (int r = 0; r < 200; ++r)
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                if (std::abs(dx) != r && std::abs(dy) != r) continue;
                const QPoint p = c + QPoint(dx, dy);
                if (areaAtWidgetPoint(p) == area) return p;
            }
    return c;
}

void ZoneMapWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xe8, 0xf1, 0xf8));  // the sea
    if (!map_.isAvailable()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("Mappa non disponibile"));
        return;
    }
    const QTransform t = toWidget();
    renderer_->render(&p, t.mapRect(map_.viewBox()));
    p.setTransform(t);
    const double hair = 0.6 / t.m11();
    for (const MapArea& a : map_.areas()) {
        if (!a.overlay.isValid()) continue;
        p.setPen(QPen(QColor(0x5a, 0x5a, 0x5a), hair));
        p.setBrush(a.overlay);
        p.drawPath(a.path);
    }
    if (hover_ >= 0 && map_.areas()[hover_].clickable) {
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2 * hair));
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawPath(map_.areas()[hover_].path);
    }
}

void ZoneMapWidget::setHover(int area) {
    if (area == hover_) return;
    hover_ = area;
    const bool hand = area >= 0 && map_.areas()[area].clickable;
    setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
}

void ZoneMapWidget::mouseMoveEvent(QMouseEvent* e) {
    setHover(areaAtWidgetPoint(e->position()));
}

void ZoneMapWidget::leaveEvent(QEvent*) {
    setHover(-1);
}

void ZoneMapWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int a = areaAtWidgetPoint(e->position());
    if (a >= 0 && map_.areas()[a].clickable) emit zoneClicked(map_.areas()[a].zone);
}

bool ZoneMapWidget::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int a = areaAtWidgetPoint(help->pos());
        if (a >= 0 && !map_.areas()[a].toolTip.isEmpty())
            QToolTip::showText(help->globalPos(), map_.areas()[a].toolTip, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

// ---------------------------------------------------------------------------

RoofPicture::RoofPicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(160, 120);
}

void RoofPicture::setPitches(int pitches) {
    pitches_ = pitches == 2 ? 2 : 1;
    update();
}

void RoofPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(10, 10, -10, -10);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));

    const double ground = r.bottom() - 4;
    const double eaves = r.top() + r.height() * 0.62;
    const double ridge = r.top() + r.height() * 0.38;
    const double left = r.left() + r.width() * 0.15, right = r.right() - r.width() * 0.15;
    const QColor wall(0xd9, 0xc7, 0xa8), roof(0xb0, 0x4a, 0x30), snow(0x9f, 0xc5, 0xe8);

    // Walls.
    QPolygonF body;
    QPolygonF roofLine;
    if (pitches_ == 1) {
        body << QPointF(left, ground) << QPointF(left, ridge) << QPointF(right, eaves)
             << QPointF(right, ground);
        roofLine << QPointF(left - 6, ridge - 2) << QPointF(right + 6, eaves + 2);
    } else {
        const double mid = (left + right) / 2;
        body << QPointF(left, ground) << QPointF(left, eaves) << QPointF(mid, ridge)
             << QPointF(right, eaves) << QPointF(right, ground);
        roofLine << QPointF(left - 6, eaves + 3) << QPointF(mid, ridge - 1)
                 << QPointF(right + 6, eaves + 3);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(wall);
    p.drawPolygon(body);
    p.setPen(QPen(roof, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(roofLine);

    // Uniform snow load mu1 · qsk over the plan, with its arrows.
    const double top = r.top() + 6, base = r.top() + 20;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(snow);
    p.drawRect(QRectF(QPointF(left - 6, top), QPointF(right + 6, base)));
    for (int i = 0; i <= 6; ++i) {
        const double x = left - 6 + (right - left + 12) * i / 6.0;
        const double tip = ridge - 6;
        p.drawLine(QPointF(x, base), QPointF(x, tip));
        p.drawLine(QPointF(x, tip), QPointF(x - 3, tip - 5));
        p.drawLine(QPointF(x, tip), QPointF(x + 3, tip - 5));
    }
    p.drawText(QRectF(left - 6, top, right - left + 12, base - top), Qt::AlignCenter,
               QStringLiteral("μi · qsk"));
    p.drawLine(QPointF(r.left(), ground), QPointF(r.right(), ground));

    // The slope angle at the eaves, between the horizontal and the roof.
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(left, eaves), QPointF(right, eaves));
    p.setPen(QPen(Qt::black, 1));
    const double run = pitches_ == 1 ? right - left : (right - left) / 2;
    const double theta = std::atan2(eaves - ridge, run) * 180 / M_PI;
    const double radius = 34;
    auto angleAt = [&](QPointF eave, bool facingLeft) {
        const QRectF box(eave.x() - radius, eave.y() - radius, 2 * radius, 2 * radius);
        const double start = facingLeft ? 180 - theta : 0;
        p.drawArc(box, static_cast<int>(start * 16), static_cast<int>(theta * 16));
        const double mid = (start + theta / 2) * M_PI / 180;
        const QPointF label =
            eave + QPointF(std::cos(mid) * (radius + 8), -std::sin(mid) * (radius + 8));
        p.drawText(QRectF(label.x() - 6, label.y() - 7, 12, 14), Qt::AlignCenter,
                   QStringLiteral("α"));
    };
    if (pitches_ == 1) {
        angleAt(QPointF(right, eaves), true);
    } else {
        angleAt(QPointF(right, eaves), true);
        angleAt(QPointF(left, eaves), false);
    }
}

// ---------------------------------------------------------------------------

ExposureFigure::ExposureFigure(QWidget* parent) : QWidget(parent) {
    setMinimumSize(150, 140);
}

void ExposureFigure::setCategory(const QString& category) {
    category_ = category;
    update();
}

void ExposureFigure::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.8);
    p.setFont(f);
    const QRectF plot = QRectF(rect()).adjusted(26, 18, -10, -24);
    const double zMax = 200, ceMax = 5;
    auto at = [&](double ce, double z) {
        return QPointF(plot.left() + plot.width() * ce / ceMax,
                       plot.bottom() - plot.height() * z / zMax);
    };
    p.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 1));
    for (int ce = 1; ce <= 4; ++ce) p.drawLine(at(ce, 0), at(ce, zMax));
    for (int z = 50; z <= 150; z += 50) p.drawLine(at(0, z), at(ceMax, z));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(at(0, 0), at(ceMax, 0));
    p.drawLine(at(0, 0), at(0, zMax));
    for (int ce = 0; ce <= 5; ++ce)
        p.drawText(QRectF(at(ce, 0).x() - 10, plot.bottom() + 2, 20, 12), Qt::AlignCenter,
                   QString::number(ce));
    for (int z = 0; z <= 200; z += 50)
        p.drawText(QRectF(plot.left() - 26, at(0, z).y() - 6, 22, 12), Qt::AlignRight,
                   QString::number(z));
    p.drawText(QRectF(plot.left(), plot.bottom() + 11, plot.width(), 12), Qt::AlignCenter,
               QStringLiteral("cₑ(z)   (cₜ = 1)"));
    p.drawText(QRectF(2, 2, 40, 14), Qt::AlignLeft, QStringLiteral("z [m]"));

    static const char* const names[5] = {"I", "II", "III", "IV", "V"};
    static const QColor colors[5] = {QColor(0x1f, 0x5f, 0xbf), QColor(0x2f, 0x9f, 0x4f),
                                     QColor(0xc8, 0x8a, 0x00), QColor(0xc0, 0x40, 0x30),
                                     QColor(0x70, 0x40, 0xa0)};
    for (int c = 0; c < 5; ++c) {
        const QString name = QString::fromLatin1(names[c]);
        QPolygonF curve;
        for (double z = 0.5; z <= zMax; z += 0.5)
            curve << at(exposureCoefficient(name, static_cast<float>(z), 1.0f), z);
        const bool current = name == category_;
        p.setPen(QPen(colors[c], current ? 2.6 : 1));
        p.drawPolyline(curve);
        // Legend in the empty upper left corner of the plot.
        const double y = plot.top() + 6 + 13 * c;
        p.drawLine(QPointF(plot.left() + 6, y), QPointF(plot.left() + 22, y));
        QFont lf = f;
        lf.setBold(current);
        p.setFont(lf);
        p.drawText(QRectF(plot.left() + 26, y - 7, 40, 14), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Cat. ") + name);
        p.setFont(f);
    }
}

// ---------------------------------------------------------------------------

PressureCoefficientPicture::PressureCoefficientPicture(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void PressureCoefficientPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xff, 0xfd, 0xf0));
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(
        QRectF(8, 4, width() - 16, 16), Qt::AlignLeft,
        QStringLiteral("Coefficienti di pressione esterna cₚₑ (edifici, § 3.3.10 / C3.3.10)"));

    // A building with a pitched roof, wind from the left.
    const double h = height(), w = width();
    const double ground = h - 14, top = 40;
    const double x0 = w * 0.30, x1 = w * 0.62;
    const double eaves = top + (ground - top) * 0.45;
    const double mid = (x0 + x1) / 2;
    QPolygonF body;
    body << QPointF(x0, ground) << QPointF(x0, eaves) << QPointF(mid, top) << QPointF(x1, eaves)
         << QPointF(x1, ground);
    p.setBrush(QColor(0xe6, 0xe6, 0xe6));
    p.drawPolygon(body);
    p.drawLine(QPointF(8, ground), QPointF(w - 8, ground));

    p.setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 1.4));
    for (int i = 0; i < 4; ++i) {
        const double y = top + 8 + i * (ground - top - 16) / 3;
        p.drawLine(QPointF(14, y), QPointF(x0 - 40, y));
        p.drawLine(QPointF(x0 - 40, y), QPointF(x0 - 46, y - 4));
        p.drawLine(QPointF(x0 - 40, y), QPointF(x0 - 46, y + 4));
    }
    p.setPen(Qt::black);
    p.drawText(QPointF(14, top - 4), QStringLiteral("vento"));
    p.drawText(QPointF(x0 - 36, (eaves + ground) / 2), QStringLiteral("+0,8"));
    p.drawText(QPointF(x1 + 6, (eaves + ground) / 2), QStringLiteral("−0,4"));
    p.drawText(QPointF(x0 + (mid - x0) * 0.25 - 10, eaves - (eaves - top) * 0.25 - 6),
               QStringLiteral("α"));
    const QRectF notes(x1 + 44, top - 8, w - x1 - 52, ground - top);
    p.drawText(notes, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Falda sopravento:\n  α < 20°:  −0,4\n  20° ≤ α ≤ 60°:  0,03·α − 1\n"
                              "  α > 60°:  +0,8\nFalda sottovento:  −0,4\n\n"
                              "Edifici stagni: cpi = 0"));
}

}  // namespace climate
