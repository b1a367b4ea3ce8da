#pragma once

// Small widgets the two calculators share: field key rules, the zone map,
// clickable captions and the explanatory pictures.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "ZoneMap.h"

class QSvgRenderer;

namespace climate {

// In value fields a typed "." becomes ","; altitude fields take whole metres
// and refuse both separators.
enum class KeyRule { DecimalComma, WholeNumber };
void installKeyRule(QLineEdit* field, KeyRule rule);

// A caption that chooses something when clicked (the province and region lists).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

// The coloured map of Italy; clicking an area that chooses a zone emits zoneClicked.
class ZoneMapWidget : public QWidget {
    Q_OBJECT
public:
    explicit ZoneMapWidget(ZoneMap::Kind kind, QWidget* parent = nullptr);
    ~ZoneMapWidget() override;

    const ZoneMap& map() const { return map_; }
    // Area under a point of the widget, -1 when none.
    int areaAtWidgetPoint(const QPointF& p) const;
    // A point of the widget inside the area (for a click on it).
    QPoint widgetPointOf(int area) const;

signals:
    void zoneClicked(int zone);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    bool event(QEvent* e) override;

private:
    QTransform toWidget() const;
    void setHover(int area);

    ZoneMap map_;
    std::unique_ptr<QSvgRenderer> renderer_;
    int hover_ = -1;
};

// Roof section with the snow lying on it: one pitch or two.
class RoofPicture : public QWidget {
    Q_OBJECT
public:
    explicit RoofPicture(QWidget* parent = nullptr);
    void setPitches(int pitches);
    int pitches() const { return pitches_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int pitches_ = 1;
};

// ce(z) of the five exposure categories (ct = 1), the one in use drawn thicker.
class ExposureFigure : public QWidget {
    Q_OBJECT
public:
    explicit ExposureFigure(QWidget* parent = nullptr);
    void setCategory(const QString& category);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString category_;
};

// External pressure coefficients of a building with a pitched roof.
class PressureCoefficientPicture : public QWidget {
    Q_OBJECT
public:
    explicit PressureCoefficientPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

// Selects a field's text and gives it the focus, after a refused value.
void selectField(QLineEdit* field);

}  // namespace climate
