#pragma once

// The map of Italy behind the calculators' first tab: regions read from the
// map picture generated at build time, grouped into the areas that choose a zone.

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace climate {

// Closed outlines of an SVG path's data, for the "m … z" relative and absolute
// move/line commands the map uses. Malformed data ends the parse where it breaks.
QList<QPolygonF> parseSvgOutlines(const QString& d);

struct MapRegion {
    QString id;  // "piedmont", "sicily", …
    QList<QPolygonF> outlines;
};

// Regions of an SVG document: every <path> with an id and data.
QList<MapRegion> readMapRegions(const QByteArray& svg, QRectF* viewBox = nullptr);

struct MapArea {
    QPainterPath path;  // in map coordinates
    int zone = 0;       // what a click chooses (meaning depends on the map)
    QString toolTip;
    bool clickable = false;
    QColor overlay;  // painted over the base picture when valid (areas finer than a region)
};

class ZoneMap {
public:
    enum Kind { Snow, Wind };

    // Builds the areas from the generated picture of that kind (Qt resource).
    static ZoneMap load(Kind kind);
    // Builds the areas from an SVG document (tests, or a picture found elsewhere).
    static ZoneMap fromSvg(Kind kind, const QByteArray& svg);

    bool isAvailable() const { return !areas_.isEmpty(); }
    const QList<MapArea>& areas() const { return areas_; }
    QRectF viewBox() const { return viewBox_; }
    const QByteArray& svg() const { return svg_; }
    // Index of the topmost area at a point in map coordinates, -1 when none.
    int areaAt(const QPointF& p) const;

    // Colours of the zones, shared by the picture and the dialogs' legends.
    static QColor snowZoneColor(int zone);  // 1 I-Alpina, 2 I-Mediterranea, 3 II, 4 III
    static QColor windZoneColor(int zone);  // 1..9
    static QString resourcePath(Kind kind);

private:
    QList<MapArea> areas_;
    QRectF viewBox_;
    QByteArray svg_;
};

}  // namespace climate
