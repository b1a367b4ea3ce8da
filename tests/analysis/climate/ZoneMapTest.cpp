#include <gtest/gtest.h>

#include <QSet>

#include "ZoneMap.h"

using namespace climate;

TEST(ZoneMap, ParsesRelativeOutlinesAndRestartsAfterClose) {
    // After "z" the pen is back at the subpath's start, so the second "m" is relative to it.
    const auto outlines = parseSvgOutlines(QStringLiteral("m 10,10 10,0 0,10 z m 5,5 1,0 0,1 z"));
    ASSERT_EQ(outlines.size(), 2);
    EXPECT_EQ(outlines[0], QPolygonF({{10, 10}, {20, 10}, {20, 20}}));
    EXPECT_EQ(outlines[1], QPolygonF({{15, 15}, {16, 15}, {16, 16}}));
    const auto absolute = parseSvgOutlines(QStringLiteral("M0 0L4 0L4 4Z"));
    ASSERT_EQ(absolute.size(), 1);
    EXPECT_EQ(absolute[0].size(), 3);
}

TEST(ZoneMap, MalformedPathDataEndsTheParseWithoutFailing) {
    for (const char* d :
         {"", "m", "m 1,", "m 1,1 2,2 c 1,1 2,2 3,3", "zzz", "m 1e999,1 2,2 3,3 z", "m -,- 1,1"}) {
        SCOPED_TRACE(d);
        const auto outlines = parseSvgOutlines(QString::fromLatin1(d));
        for (const QPolygonF& o : outlines) EXPECT_GE(o.size(), 3);
    }
    EXPECT_FALSE(ZoneMap::fromSvg(ZoneMap::Wind, "<svg><path id='x' d='m").isAvailable());
    EXPECT_FALSE(ZoneMap::fromSvg(ZoneMap::Snow, QByteArray()).isAvailable());
}

TEST(ZoneMap, SnowMapChoosesZonesTwoAndThree) {
    const ZoneMap map = ZoneMap::load(ZoneMap::Snow);
    ASSERT_TRUE(map.isAvailable())
        << "the map of Italy was not built in (run scripts/install-deps)";
    EXPECT_EQ(map.areas().size(), 20);
    QSet<int> clickableZones;
    for (const MapArea& a : map.areas()) {
        EXPECT_FALSE(a.toolTip.isEmpty());
        if (a.clickable) clickableZones.insert(a.zone);
    }
    EXPECT_EQ(clickableZones, QSet<int>({3, 4}));  // SnowZone II and III
}

TEST(ZoneMap, WindMapHasNineZonesAndThreeMoreAreasOfZoneThree) {
    const ZoneMap map = ZoneMap::load(ZoneMap::Wind);
    ASSERT_TRUE(map.isAvailable());
    ASSERT_EQ(map.areas().size(), 12);
    for (int k = 0; k < 9; ++k) {
        const MapArea& a = map.areas()[k];
        EXPECT_EQ(a.zone, k + 1);
        EXPECT_EQ(a.toolTip, QStringLiteral("Zona %1").arg(k + 1));
        EXPECT_TRUE(a.clickable);
        EXPECT_FALSE(a.path.isEmpty()) << "zone " << k + 1;
    }
    for (int k = 9; k < 12; ++k) {
        EXPECT_EQ(map.areas()[k].zone, 3);
        EXPECT_EQ(map.areas()[k].toolTip, QStringLiteral("Zona 3"));
    }
    // Every area is reachable: the middle of its largest part hits it.
    for (int k = 0; k < 12; ++k) {
        const QPainterPath& p = map.areas()[k].path;
        bool hit = false;
        const QRectF box = p.boundingRect();
        for (double y = box.top(); y <= box.bottom() && !hit; y += 0.5)
            for (double x = box.left(); x <= box.right() && !hit; x += 0.5)
                hit = map.areaAt(QPointF(x, y)) == k;
        EXPECT_TRUE(hit) << "area " << k;
    }
}

TEST(ZoneMap, WindAreasLieWhereTheirRegionsAre) {
    const ZoneMap map = ZoneMap::load(ZoneMap::Wind);
    ASSERT_TRUE(map.isAvailable());
    auto zoneAt = [&](const QPointF& p) {
        const int a = map.areaAt(p);
        return a < 0 ? 0 : map.areas()[a].zone;
    };
    auto centre = [&](int area) { return map.areas()[area].path.boundingRect().center(); };
    // Sardinia: zone 6 is the western part, zone 5 the eastern; the sea is nothing.
    EXPECT_LT(centre(5).x(), centre(4).x());
    EXPECT_EQ(zoneAt(centre(4)), 5);
    EXPECT_EQ(zoneAt(QPointF(1, 1)), 0);
    EXPECT_EQ(zoneAt(centre(1)), 2);  // Emilia Romagna
    // The north lies above the centre, Sicily below it.
    EXPECT_LT(centre(0).y(), centre(2).y());
    EXPECT_GT(centre(3).y(), centre(2).y());
}
