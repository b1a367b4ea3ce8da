#include "ZoneMap.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <cmath>

// Resources of a static library must be registered by name.
static void initClimateMapResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(climate_maps);
        return true;
    }();
    (void)done;
}

namespace climate {

QList<QPolygonF> parseSvgOutlines(const QString& d) {
    QList<QPolygonF> outlines;
    QPolygonF current;
    QPointF pos, start;
    QChar command;
    int i = 0;
    const int n = d.size();

    auto skipSeparators = [&] {
        while (i < n && (d[i].isSpace() || d[i] == QLatin1Char(','))) ++i;
    };
    auto readNumber = [&](double* out) {
        skipSeparators();
        int j = i;
        if (j < n && (d[j] == QLatin1Char('-') || d[j] == QLatin1Char('+'))) ++j;
        bool digits = false;
        while (j < n && (d[j].isDigit() || d[j] == QLatin1Char('.'))) {
            digits = true;
            ++j;
        }
        if (digits && j < n && (d[j] == QLatin1Char('e') || d[j] == QLatin1Char('E'))) {
            int k = j + 1;
            if (k < n && (d[k] == QLatin1Char('-') || d[k] == QLatin1Char('+'))) ++k;
            if (k < n && d[k].isDigit()) {
                j = k;
                while (j < n && d[j].isDigit()) ++j;
            }
        }
        if (!digits) return false;
        bool ok = false;
        *out = QStringView(d).mid(i, j - i).toDouble(&ok);
        if (!ok || !std::isfinite(*out)) return false;
        i = j;
        return true;
    };
    auto closeCurrent = [&] {
        if (current.size() >= 3) outlines.append(current);
        current.clear();
    };

    while (true) {
        skipSeparators();
        if (i >= n) break;
        const QChar c = d[i];
        if (c.isLetter()) {
            command = c;
            ++i;
            if (c == QLatin1Char('z') || c == QLatin1Char('Z')) {
                closeCurrent();
                pos = start;
                continue;
            }
            if (c != QLatin1Char('m') && c != QLatin1Char('M') && c != QLatin1Char('l') &&
                c != QLatin1Char('L'))
                break;  // a command the map does not use
        }
        double x = 0, y = 0;
        if (!readNumber(&x) || !readNumber(&y)) break;
        const bool relative = command.isLower();
        const QPointF p = relative ? pos + QPointF(x, y) : QPointF(x, y);
        if (command == QLatin1Char('m') || command == QLatin1Char('M')) {
            closeCurrent();
            start = p;
            current.append(p);
            // Further pairs after a move are lines.
            command = relative ? QLatin1Char('l') : QLatin1Char('L');
        } else {
            current.append(p);
        }
        pos = p;
    }
    closeCurrent();
    return outlines;
}

QList<MapRegion> readMapRegions(const QByteArray& svg, QRectF* viewBox) {
    QList<MapRegion> regions;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto attrs = xml.attributes();
        if (xml.name() == QLatin1String("svg") && viewBox) {
            const auto parts = attrs.value(QLatin1String("viewBox"))
                                   .toString()
                                   .split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.size() == 4)
                *viewBox = QRectF(parts[0].toDouble(), parts[1].toDouble(), parts[2].toDouble(),
                                  parts[3].toDouble());
        } else if (xml.name() == QLatin1String("path")) {
            MapRegion region;
            region.id = attrs.value(QLatin1String("id")).toString();
            region.outlines = parseSvgOutlines(attrs.value(QLatin1String("d")).toString());
            if (!region.id.isEmpty() && !region.outlines.isEmpty()) regions.append(region);
        }
    }
    return regions;
}

namespace {

double polygonArea(const QPolygonF& p) {
    double a = 0;
    for (int i = 0, n = p.size(); i < n; ++i) {
        const QPointF& u = p[i];
        const QPointF& v = p[(i + 1) % n];
        a += u.x() * v.y() - v.x() * u.y();
    }
    return std::fabs(a) / 2;
}

// Outlines much smaller than a region's largest one are its minor islands.
constexpr double kMinorIslandShare = 0.02;

bool isMinorIsland(const MapRegion& r, const QPolygonF& outline) {
    double largest = 0;
    for (const QPolygonF& o : r.outlines) largest = std::max(largest, polygonArea(o));
    return polygonArea(outline) < largest * kMinorIslandShare;
}

QPainterPath mainland(const MapRegion& r) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QPolygonF& o : r.outlines)
        if (!isMinorIsland(r, o)) path.addPolygon(o), path.closeSubpath();
    return path;
}

QPainterPath wholeRegion(const MapRegion& r) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QPolygonF& o : r.outlines) path.addPolygon(o), path.closeSubpath();
    return path;
}

struct RegionInfo {
    const char* id;
    const char* name;
    int snowZone;  // 1 I-Alpina, 2 I-Mediterranea, 3 II, 4 III: the zone of most of its provinces
    int windZone;
};

// Keep in step with the fills of the generated pictures (analysis/climate/map/).
const RegionInfo kRegions[] = {
    {"aosta-valley", "Valle d'Aosta", 1, 1},
    {"piedmont", "Piemonte", 1, 1},
    {"lombardy", "Lombardia", 1, 1},
    {"trentino-south-tyrol", "Trentino Alto Adige", 1, 1},
    {"veneto", "Veneto", 3, 1},
    {"friuli-venezia-giulia", "Friuli Venezia Giulia", 1, 1},
    {"liguria", "Liguria", 3, 7},
    {"emilia-romagna", "Emilia Romagna", 2, 2},
    {"tuscany", "Toscana", 3, 3},
    {"marche", "Marche", 3, 3},
    {"umbria", "Umbria", 3, 3},
    {"lazio", "Lazio", 4, 3},
    {"abruzzo", "Abruzzo", 3, 3},
    {"molise", "Molise", 3, 3},
    {"campania", "Campania", 4, 3},
    {"apulia", "Puglia", 3, 3},
    {"basilicata", "Basilicata", 4, 3},
    {"calabria", "Calabria", 4, 3},
    {"sicily", "Sicilia", 4, 4},
    {"sardinia", "Sardegna", 4, 5},
};

const RegionInfo* infoOf(const QString& id) {
    for (const RegionInfo& r : kRegions)
        if (id == QLatin1String(r.id)) return &r;
    return nullptr;
}

QString snowZoneName(int zone) {
    switch (zone) {
        case 1:
            return QStringLiteral("Zona I - Alpina");
        case 2:
            return QStringLiteral("Zona I - Mediterranea");
        case 3:
            return QStringLiteral("Zona II");
        default:
            return QStringLiteral("Zona III");
    }
}

QList<MapArea> snowAreas(const QList<MapRegion>& regions) {
    QList<MapArea> areas;
    for (const MapRegion& r : regions) {
        const RegionInfo* info = infoOf(r.id);
        if (!info) continue;
        MapArea a;
        a.path = wholeRegion(r);
        a.zone = info->snowZone;
        // Only zones II and III are chosen on the map; the first zone is split by province.
        a.clickable = info->snowZone >= 3;
        a.toolTip = QString::fromUtf8(info->name) + QStringLiteral(": ") +
                    snowZoneName(info->snowZone) + QStringLiteral(" (prevalente)");
        areas.append(a);
    }
    return areas;
}

QList<MapArea> windAreas(const QList<MapRegion>& regions) {
    QHash<QString, const MapRegion*> byId;
    for (const MapRegion& r : regions) byId.insert(r.id, &r);
    auto land = [&](std::initializer_list<const char*> ids) {
        QPainterPath p;
        p.setFillRule(Qt::WindingFill);
        for (const char* id : ids)
            if (const MapRegion* r = byId.value(QLatin1String(id))) p.addPath(mainland(*r));
        return p.simplified();
    };
    auto area = [](const QPainterPath& path, int zone, bool overlay) {
        MapArea a;
        a.path = path;
        a.zone = zone;
        a.clickable = true;
        a.toolTip = QStringLiteral("Zona ") + QString::number(zone);
        if (overlay) a.overlay = ZoneMap::windZoneColor(zone);
        return a;
    };

    // Parts of regions, cut by simple lines across their outline's bounds.
    const QPainterPath calabria = land({"calabria"});
    const QRectF cb = calabria.boundingRect();
    QPainterPath southTip;
    southTip.addRect(
        QRectF(cb.left(), cb.bottom() - 0.31 * cb.height(), cb.width(), 0.31 * cb.height() + 1));
    const QPainterPath reggio = calabria.intersected(southTip);

    const QPainterPath sardinia = land({"sardinia"});
    const QRectF sb = sardinia.boundingRect().adjusted(-1, -1, 1, 1);
    // The line from Capo Teulada to La Maddalena parts the east from the west.
    QPainterPath westSide;
    westSide.moveTo(sb.topLeft());
    westSide.lineTo(sb.left() + 0.75 * sb.width(), sb.top());
    westSide.lineTo(sb.left() + 0.30 * sb.width(), sb.bottom());
    westSide.lineTo(sb.bottomLeft());
    westSide.closeSubpath();
    const QPainterPath sardiniaWest = sardinia.intersected(westSide);
    const QPainterPath sardiniaEast = sardinia.subtracted(westSide);

    const QPainterPath friuli = land({"friuli-venezia-giulia"});
    const QRectF fb = friuli.boundingRect();
    QPainterPath trieste;
    trieste.addRect(QRectF(fb.left() + 0.77 * fb.width(), fb.top() + 0.74 * fb.height(),
                           0.23 * fb.width() + 1, 0.26 * fb.height() + 1));
    const QPainterPath triesteArea = friuli.intersected(trieste);

    QPainterPath islands;
    islands.setFillRule(Qt::WindingFill);
    for (const MapRegion& r : regions)
        for (const QPolygonF& o : r.outlines)
            if (isMinorIsland(r, o)) islands.addPolygon(o), islands.closeSubpath();

    QList<MapArea> areas;
    areas << area(land({"aosta-valley", "piedmont", "lombardy", "trentino-south-tyrol", "veneto",
                        "friuli-venezia-giulia"})
                      .subtracted(triesteArea),
                  1, false)
          << area(land({"emilia-romagna"}), 2, false)
          << area(land({"tuscany", "marche", "umbria", "lazio"}), 3, false)
          << area(land({"sicily"}).united(reggio), 4, true) << area(sardiniaEast, 5, false)
          << area(sardiniaWest, 6, true) << area(land({"liguria"}), 7, false)
          << area(triesteArea, 8, true) << area(islands, 9, true)
          << area(land({"abruzzo", "molise"}), 3, false)
          << area(land({"campania", "apulia", "basilicata"}), 3, false)
          << area(calabria.subtracted(reggio), 3, false);
    return areas;
}

}  // namespace

QString ZoneMap::resourcePath(Kind kind) {
    return kind == Snow ? QStringLiteral(":/climate/map/snow_map.svg")
                        : QStringLiteral(":/climate/map/wind_map.svg");
}

ZoneMap ZoneMap::load(Kind kind) {
    initClimateMapResources();
    QFile f(resourcePath(kind));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return fromSvg(kind, f.readAll());
}

ZoneMap ZoneMap::fromSvg(Kind kind, const QByteArray& svg) {
    ZoneMap map;
    map.svg_ = svg;
    const QList<MapRegion> regions = readMapRegions(svg, &map.viewBox_);
    if (regions.isEmpty() || map.viewBox_.isEmpty()) return map;
    map.areas_ = kind == Snow ? snowAreas(regions) : windAreas(regions);
    return map;
}

int ZoneMap::areaAt(const QPointF& p) const {
    // Later areas lie on top (the parts painted over their region).
    int found = -1;
    for (int i = 0; i < areas_.size(); ++i) {
        const MapArea& a = areas_[i];
        if (a.path.contains(p) && (found < 0 || a.overlay.isValid())) found = i;
    }
    return found;
}

QColor ZoneMap::snowZoneColor(int zone) {
    switch (zone) {
        case 1:
            return QColor(0x4f, 0x7f, 0xc9);
        case 2:
            return QColor(0x8f, 0xb8, 0xe8);
        case 3:
            return QColor(0xa8, 0xd8, 0x9c);
        case 4:
            return QColor(0xf2, 0xd9, 0x8a);
        default:
            return QColor(0xdd, 0xdd, 0xdd);
    }
}

QColor ZoneMap::windZoneColor(int zone) {
    static const QColor colors[9] = {
        QColor(0x8f, 0xb8, 0xe8), QColor(0xb5, 0xd9, 0x8a), QColor(0xf2, 0xd9, 0x8a),
        QColor(0xf0, 0xa8, 0x78), QColor(0xc9, 0xa0, 0xdc), QColor(0x9a, 0x7f, 0xc9),
        QColor(0x7c, 0xcf, 0xc4), QColor(0xe0, 0x6c, 0x6c), QColor(0x55, 0x8f, 0x55),
    };
    if (zone < 1 || zone > 9) return QColor(0xdd, 0xdd, 0xdd);
    return colors[zone - 1];
}

}  // namespace climate
