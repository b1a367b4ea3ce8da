#include "ModuloFunzioniGeometria.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

using namespace ModuloFunzioniGeometria;

TEST(GeometryAngles, DirectionsAndSnapping) {
    const Punto o{10, 10};
    struct Case {
        Punto p;
        float expected;
    };
    const Case cases[] = {
        {{10, 10}, 0.0f},                   // coincident
        {{20, 10}, 0.0f},                   // +x
        {{10, 20}, 1.5707964f},             // +y, exactly the single constant
        {{0, 10}, float(PI)},               // -x
        {{10, 0}, 4.712389f},               // -y
        {{20, 20}, float(PI / 4)},          // down-right on the page
        {{0, 0}, float(PI + PI / 4)},       // up-left
        {{20, 0}, float(2 * PI - PI / 4)},  // up-right
        {{0, 20}, float(PI - PI / 4)},      // down-left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
        EXPECT_NEAR(AngoloPunto(o, c.p), c.expected, 1e-6);
        EXPECT_NEAR(AngoloDirezione(o, c.p), c.expected, 1e-6);
    }
    EXPECT_EQ(AngoloPunto(o, {10, 20}), 1.5707964f);

    // An angle just under 2π: snapped to 0 by AngoloPunto only.
    const Punto p{1000, -0.001f};  // angle 2π - 0.000001
    const float raw = AngoloDirezione({0, 0}, p);
    EXPECT_NEAR(raw, 2 * PI - 0.000001, 1e-6);
    EXPECT_GT(raw, 6.28f);
    EXPECT_EQ(AngoloPunto({0, 0}, p), 0.0f);
    // A tiny positive angle is snapped too.
    EXPECT_EQ(AngoloPunto({0, 0}, {1000, 0.001f}), 0.0f);
    EXPECT_GT(AngoloDirezione({0, 0}, {1000, 0.001f}), 0.0f);
}

TEST(GeometryArcs, PointOnArcByEndpointsOrder) {
    const Punto c{0, 0};
    // Start below the end on the page (S.y < E.y): from β at the end up to α at the start.
    const Punto s{0, -10}, e{10, 0};              // α = 3π/2, β = 0
    EXPECT_TRUE(PuntoSuArco({-10, 0}, c, s, e));  // φ = π
    EXPECT_TRUE(PuntoSuArco({7, 7}, c, s, e));    // φ = π/4
    EXPECT_FALSE(PuntoSuArco({7, -7}, c, s, e));  // φ = 7π/4 > α
    // S.y > E.y: outside the range between α and β.
    EXPECT_TRUE(PuntoSuArco({7, -7}, c, e, s));
    EXPECT_FALSE(PuntoSuArco({-10, 0}, c, e, s));
    // Same y, start right of end, start at angle 0: from β (π) to 2π.
    EXPECT_TRUE(PuntoSuArco({0, -10}, c, {10, 0}, {-10, 0}));
    EXPECT_FALSE(PuntoSuArco({0, 10}, c, {10, 0}, {-10, 0}));
    // Same y, start left of end: always false.
    EXPECT_FALSE(PuntoSuArco({0, 10}, c, {-10, 0}, {10, 0}));
    EXPECT_FALSE(PuntoSuArco({0, -10}, c, {-10, 0}, {10, 0}));
}

TEST(GeometryPoints, WindowsAndSegments) {
    Punto a{10, 20}, b{0, 5};
    EXPECT_TRUE(PuntoInFinestra({10, 5}, a, b));  // border
    EXPECT_EQ(a, (Punto{0, 5}));                  // corners come back ordered
    EXPECT_EQ(b, (Punto{10, 20}));
    EXPECT_FALSE(PuntoInFinestra({10.01f, 5}, a, b));

    struct Case {
        Punto p, q, r;
        bool on;
    };
    const Case cases[] = {
        {{5, 10.00005f}, {0, 10}, {10, 10}, true},  // within 0.0001 of a horizontal
        {{5, 10.0002f}, {0, 10}, {10, 10}, false},
        {{10, 10}, {10, 10}, {0, 10}, true},  // end included, either order
        {{11, 10}, {0, 10}, {10, 10}, false},
        {{3, 4}, {3, 0}, {3, 8}, true},  // vertical
        {{3.0002f, 4}, {3, 0}, {3, 8}, false},
        {{5, 5}, {0, 0}, {10, 10}, true},       // diagonal
        {{12, 12}, {0, 0}, {10, 10}, false},    // on the extension beyond the end
        {{5, 5.01f}, {0, 0}, {10, 10}, false},  // off the line
    };
    for (const Case& c : cases)
        EXPECT_EQ(PuntoSuSegmento(c.p, c.q, c.r), c.on) << c.p.x << "," << c.p.y;
}

TEST(GeometryCircles, ThroughThreePoints) {
    const Punto c = CentroCerchio3Punti({0, 0}, {10, 0}, {5, 5});
    EXPECT_NEAR(c.x, 5, 1e-5);
    EXPECT_NEAR(c.y, 0, 1e-5);
    EXPECT_NEAR(RaggioCerchio3Punti({0, 0}, {10, 0}, {5, 5}).value(), 5, 1e-5);

    const Punto c2 = CentroCerchio3Punti({110, 50}, {100, 60}, {90, 50});
    EXPECT_NEAR(c2.x, 100, 1e-3);
    EXPECT_NEAR(c2.y, 50, 1e-3);

    // Collinear: centre (0, 0), no radius.
    EXPECT_EQ(CentroCerchio3Punti({1, 1}, {2, 2}, {3, 3}), (Punto{0, 0}));
    EXPECT_FALSE(RaggioCerchio3Punti({1, 1}, {2, 2}, {3, 3}).has_value());
}

TEST(GeometryEquations, SecondDegree) {
    double d, x1 = 7, x2 = 8;
    RisolviEq2Grado(1, -3, 2, d, x1, x2);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(x1, 2);  // +√Δ first
    EXPECT_EQ(x2, 1);
    RisolviEq2Grado(1, -4, 4, d, x1, x2);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(x1, 2);
    EXPECT_EQ(x2, 2);
    x1 = 7, x2 = 8;
    RisolviEq2Grado(1, 0, 1, d, x1, x2);
    EXPECT_LT(d, 0);
    EXPECT_EQ(x1, 7);
    EXPECT_EQ(x2, 8);
}

TEST(GeometryIntersections, LinesAndSegments) {
    Punto i;
    EXPECT_EQ(IntersezRette({0, 0}, {10, 10}, {0, 10}, {10, 0}, i), 1);
    EXPECT_NEAR(i.x, 5, 1e-5);
    EXPECT_NEAR(i.y, 5, 1e-5);
    // One horizontal line.
    EXPECT_EQ(IntersezRette({0, 3}, {10, 3}, {2, 0}, {2, 10}, i), 1);
    EXPECT_EQ(i, (Punto{2, 3}));
    EXPECT_EQ(IntersezRette({2, 0}, {2, 10}, {0, 3}, {10, 3}, i), 1);
    EXPECT_EQ(i, (Punto{2, 3}));
    // Two horizontal lines, coincident or not; parallel sloping lines; parallel verticals.
    EXPECT_EQ(IntersezRette({0, 3}, {10, 3}, {0, 3}, {5, 3}, i), 0);
    EXPECT_EQ(IntersezRette({0, 3}, {10, 3}, {0, 4}, {5, 4}, i), 0);
    EXPECT_EQ(IntersezRette({0, 0}, {10, 10}, {0, 1}, {10, 11}, i), 0);
    EXPECT_EQ(IntersezRette({1, 0}, {1, 10}, {2, 0}, {2, 10}, i), 0);
    // Nearly parallel: the meeting point is beyond 5·10^10.
    EXPECT_EQ(IntersezRette({0, 0}, {1e4f, 1}, {0, 1e7f}, {10000.001f, 1e7f + 1}, i), 0);

    // Segments: the lines meet, but outside the second segment.
    EXPECT_EQ(IntersezSegmenti({0, 0}, {10, 10}, {0, 10}, {10, 0}, i), 1);
    EXPECT_EQ(IntersezSegmenti({0, 0}, {10, 10}, {0, 10}, {4, 6}, i), 0);
    EXPECT_NEAR(i.x, 5, 1e-5);  // the point comes back all the same

    // The exact variant: a line with y differing by 0.000001 is not horizontal.
    int found = -1;
    Punto e = IntersezRetteEsatta({0, 3}, {10, 3}, {2, 0}, {2, 10}, found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(e, (Punto{2, 3}));
    e = IntersezRetteEsatta({0, 3}, {10, 3}, {0, 5}, {5, 5}, found);
    EXPECT_EQ(found, 0);
}

TEST(GeometryIntersections, CircleAndSegment) {
    Punto i1, i2;
    int f1 = -1, f2 = -1;
    // Horizontal chord through the centre.
    IntersezCerchioSegmento({0, 0}, 5, {-10, 0}, {3, 0}, i1, i2, f1, f2);
    EXPECT_EQ(i1, (Punto{5, 0}));
    EXPECT_EQ(i2, (Punto{-5, 0}));
    EXPECT_EQ(f1, 0);  // beyond the segment's end
    EXPECT_EQ(f2, 1);
    // Vertical.
    IntersezCerchioSegmento({0, 0}, 5, {3, -10}, {3, 10}, i1, i2, f1, f2);
    EXPECT_EQ(i1, (Punto{3, 4}));
    EXPECT_EQ(i2, (Punto{3, -4}));
    EXPECT_EQ(f1 + f2, 2);
    // Sloping line y = x through a circle of radius √2 about the origin.
    IntersezCerchioSegmento({0, 0}, std::sqrt(2.0f), {-5, -5}, {5, 5}, i1, i2, f1, f2);
    EXPECT_NEAR(i1.x, 1, 1e-5);
    EXPECT_NEAR(i1.y, 1, 1e-5);
    EXPECT_NEAR(i2.x, -1, 1e-5);
    EXPECT_EQ(f1 + f2, 2);
    // Missing the circle.
    IntersezCerchioSegmento({0, 0}, 1, {-5, 3}, {5, 3}, i1, i2, f1, f2);
    EXPECT_EQ(f1 + f2, 0);
}

TEST(GeometryIntersections, TwoCircles) {
    Punto p, q;
    // Centre of the smaller circle 1 within the larger circle 2.
    EXPECT_EQ(IntersezCerchi(1, 1, 1, 0, 0, 3, p, q), 2);
    // Sloping chord: two true meeting points, on both circles.
    ASSERT_EQ(IntersezCerchi(0, 0, 5, 4, 3, 5, p, q), 1);
    for (Punto m : {p, q}) {
        EXPECT_NEAR(std::hypot(m.x, m.y), 5, 1e-3);
        EXPECT_NEAR(std::hypot(m.x - 4, m.y - 3), 5, 1e-3);
    }
    EXPECT_GT(std::hypot(p.x - q.x, p.y - q.y), 1);
    // A pick circle over the top of a circle (its centre above on the page): the
    // points lie where the circles cross, not mirrored below the pick centre.
    ASSERT_EQ(IntersezCerchi(100, 100, 50, 101, 50.5f, 1, p, q), 1);
    for (Punto m : {p, q}) {
        EXPECT_NEAR(std::hypot(m.x - 100, m.y - 100), 50, 1e-2);
        EXPECT_NEAR(std::hypot(m.x - 101, m.y - 50.5), 1, 1e-2);
    }
    // Far apart.
    EXPECT_EQ(IntersezCerchi(0, 0, 1, 10, 7, 1, p, q), 0);

    // Centres on one horizontal: the vertical chord.
    ASSERT_EQ(IntersezCerchi(0, 0, 5, 8, 0, 5, p, q), 1);
    EXPECT_EQ(p, (Punto{4, 3}));
    EXPECT_EQ(q, (Punto{4, -3}));
    // Centres nearly on one horizontal: a very steep chord, the same points.
    ASSERT_EQ(IntersezCerchi(0, 0, 5, 8, 0.000001f, 5, p, q), 1);
    EXPECT_NEAR(p.x, 4, 1e-4);
    EXPECT_NEAR(q.x, 4, 1e-4);
    EXPECT_NEAR(std::max(p.y, q.y), 3, 1e-4);
    EXPECT_NEAR(std::min(p.y, q.y), -3, 1e-4);
    // Touching from outside: one point, twice.
    ASSERT_EQ(IntersezCerchi(0, 0, 2, 5, 0, 3, p, q), 1);
    EXPECT_EQ(p, (Punto{2, 0}));
    EXPECT_EQ(q, (Punto{2, 0}));
    // Apart on the horizontal, and one inside the other without touching.
    EXPECT_EQ(IntersezCerchi(0, 0, 1, 5, 0, 1, p, q), 0);
    EXPECT_EQ(IntersezCerchi(0, 0, 10, 1, 0, 1, p, q), 0);
    // Concentric: none, unless circle 2 is the larger (centre inside).
    EXPECT_EQ(IntersezCerchi(3, 3, 5, 3, 3, 2, p, q), 0);
    EXPECT_EQ(IntersezCerchi(3, 3, 5, 3, 3, 5, p, q), 0);
    EXPECT_EQ(IntersezCerchi(3, 3, 2, 3, 3, 5, p, q), 2);
}

TEST(GeometryWindows, OutlinesInOrAcrossAWindow) {
    const Punto l{10, 10}, u{20, 20};
    // Segments: inside, crossing, passing by.
    EXPECT_TRUE(SegmentoIntersecaFinestra({12, 12}, {50, 50}, l, u));
    EXPECT_TRUE(SegmentoIntersecaFinestra({0, 15}, {30, 15}, l, u));
    EXPECT_TRUE(SegmentoIntersecaFinestra({15, 0}, {15, 30}, l, u));
    EXPECT_FALSE(SegmentoIntersecaFinestra({0, 0}, {30, 5}, l, u));

    const std::vector<Punto> zigzag{{0, 0}, {5, 30}, {30, 5}};
    EXPECT_TRUE(PolilineaIntersecaFinestra(l, u, 3, zigzag));
    EXPECT_FALSE(PolilineaIntersecaFinestra(l, u, 2, zigzag));
    // The closing side crosses the window only for the polygon.
    const std::vector<Punto> hook{{0, 15}, {0, 40}, {40, 40}, {40, 15}};
    EXPECT_FALSE(PolilineaIntersecaFinestra(l, u, 4, hook));
    EXPECT_TRUE(PoligonoIntersecaFinestra(l, u, 4, hook));
    EXPECT_THROW(PolilineaIntersecaFinestra(l, u, 5, hook), std::out_of_range);

    // A quadrilateral around the window, touching nothing: no.
    EXPECT_FALSE(QuadrilateroIntersecaFinestra({0, 0}, {30, 0}, {30, 30}, {0, 30}, l, u));
    EXPECT_TRUE(QuadrilateroIntersecaFinestra({0, 0}, {15, 0}, {15, 30}, {0, 30}, l, u));

    // A window wholly inside a circle does not meet it; a circle wholly inside does.
    EXPECT_FALSE(CerchioIntersecaFinestra({15, 15}, 50, l, u));
    EXPECT_TRUE(CerchioIntersecaFinestra({15, 15}, 2, l, u));
    EXPECT_TRUE(CerchioIntersecaFinestra({15, 0}, 12, l, u));  // crosses the bottom side
    EXPECT_FALSE(CerchioIntersecaFinestra({50, 50}, 5, l, u));

    // Arcs: the circle about (25, 15) of radius 7 crosses the window's right side at
    // angles of about 2.37 and 3.92; only the left half of the circle holds them.
    EXPECT_TRUE(ArcoIntersecaFinestra(l, u, {25, 8}, {25, 22}, {20.05f, 19.95f}));
    EXPECT_FALSE(ArcoIntersecaFinestra(l, u, {25, 22}, {25, 8}, {32, 15}));
    EXPECT_TRUE(ArcoIntersecaFinestra(l, u, {12, 12}, {40, 40}, {30, 10}));  // start inside
    // Start and end on one horizontal: the upper half, from right to left, crosses a
    // window at the top; with the start on the left the test is always false.
    EXPECT_TRUE(ArcoIntersecaFinestra({10, -5}, {20, 5}, {30, 15}, {0, 15}, {15, 30}));
    EXPECT_FALSE(ArcoIntersecaFinestra({10, -5}, {20, 5}, {0, 15}, {30, 15}, {15, 30}));
}

TEST(GeometryMeasures, DistancesPerimetersAreas) {
    EXPECT_DOUBLE_EQ(DistanzaPunti({0, 0}, {3, 4}), 5);
    EXPECT_TRUE(PuntoInCerchio({0, 0}, {3, 4}, 5));
    EXPECT_FALSE(PuntoInCerchio({0, 0}, {3, 4}, 4.99f));
    EXPECT_NEAR(CirconferenzaCerchio({0, 0}, {0, 2}), 4 * PI, 1e-12);
    EXPECT_NEAR(AreaCerchio({0, 0}, {0, 2}), 4 * PI, 1e-12);
    EXPECT_FLOAT_EQ(PerimetroQuadrilatero({0, 0}, {4, 0}, {4, 3}, {0, 3}), 14);
    EXPECT_FLOAT_EQ(AreaQuadrilatero({0, 0}, {4, 0}, {4, 3}, {0, 3}), 12);
    EXPECT_FLOAT_EQ(AreaQuadrilatero({0, 0}, {0, 3}, {4, 3}, {4, 0}), 12);  // either turn
    const std::vector<Punto> tri{{0, 0}, {4, 0}, {0, 3}};
    EXPECT_FLOAT_EQ(PerimetroPoligono(3, tri), 12);
    EXPECT_FLOAT_EQ(AreaPoligono(3, tri), 6);
    EXPECT_THROW(AreaPoligono(4, tri), std::out_of_range);

    const std::vector<Punto> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PuntoInPoligono({5, 5}, square));
    EXPECT_FALSE(PuntoInPoligono({15, 5}, square));
    EXPECT_FALSE(PuntoInPoligono({5, 5}, {}));
}
