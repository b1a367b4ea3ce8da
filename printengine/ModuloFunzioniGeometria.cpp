#include "ModuloFunzioniGeometria.h"

#include <cmath>
#include <stdexcept>

namespace ModuloFunzioniGeometria {

namespace {

const Punto& vertice(const std::vector<Punto>& v, int k) {  // k is 1-based
    if (k < 1 || k > int(v.size())) throw std::out_of_range("Indice non compreso nell'intervallo");
    return v[size_t(k - 1)];
}

double angolo(Punto da, Punto a) {
    const float dx = a.x - da.x;
    const float dy = a.y - da.y;
    const float d = float(std::sqrt(double(dx) * dx + double(dy) * dy));
    if (d == 0) return 0;
    const float s = dy / d;
    if (s == 1) return MEZZO_PI;
    if (s == -1) return TRE_MEZZI_PI;
    const double t = std::atan(double(s) / std::sqrt(1.0 - double(s) * s));
    double ang;
    if (dx <= 0)
        ang = dy >= 0 ? PI - t : TRE_PI - t;
    else
        ang = dy > 0 ? t : DUE_PI + t;
    // Kept as a single, so that 2π + 0 reaches the threshold and wraps to about 0.
    float singolo = float(ang);
    if (singolo >= SOGLIA_GIRO) singolo = float(singolo - std::floor(singolo / DUE_PI) * DUE_PI);
    return singolo;
}

bool compreso(float v, float a, float b) {
    return (v >= a && v <= b) || (v >= b && v <= a);
}

// The four sides of a window.
struct Lati {
    Punto bassoA, bassoB, altoA, altoB, sinA, sinB, desA, desB;
};

Lati lati(Punto l, Punto u) {
    return {l, {u.x, l.y}, {l.x, u.y}, u, l, {l.x, u.y}, {u.x, l.y}, u};
}

bool dentro(Punto p, Punto l, Punto u) {
    return PuntoInFinestra(p, l, u);
}

bool segmentoIncontra(Punto a, Punto b, Punto c, Punto d) {
    Punto i;
    return IntersezSegmenti(a, b, c, d, i) == 1;
}

// Bottom, top, left, right.
bool toccaLatiBAAS(Punto a, Punto b, const Lati& w) {
    return segmentoIncontra(a, b, w.bassoA, w.bassoB) || segmentoIncontra(a, b, w.altoA, w.altoB) ||
           segmentoIncontra(a, b, w.sinA, w.sinB) || segmentoIncontra(a, b, w.desA, w.desB);
}

// Top, bottom, left, right.
bool toccaLatiABSD(Punto a, Punto b, const Lati& w) {
    return segmentoIncontra(a, b, w.altoA, w.altoB) || segmentoIncontra(a, b, w.bassoA, w.bassoB) ||
           segmentoIncontra(a, b, w.sinA, w.sinB) || segmentoIncontra(a, b, w.desA, w.desB);
}

}  // namespace

float AngoloPunto(Punto c, Punto p) {
    const float ang = float(angolo(c, p));
    if (std::fabs(ang - DUE_PI) < TOLL_ANGOLO || std::fabs(ang) < TOLL_ANGOLO) return 0;
    return ang;
}

float AngoloDirezione(Punto p, Punto q) {
    return float(angolo(p, q));
}

bool PuntoSuArco(Punto p, Punto c, Punto inizio, Punto fine) {
    const float alfa = AngoloPunto(c, inizio);
    const float beta = AngoloPunto(c, fine);
    const float fi = AngoloPunto(c, p);
    if (inizio.y < fine.y) return beta <= fi && fi <= alfa;
    if (inizio.y > fine.y) return fi <= alfa || fi >= beta;
    if (inizio.x > fine.x) {
        if (alfa == 0) return beta <= fi && fi <= DUE_PI;
        return fi <= alfa || fi >= beta;
    }
    return false;
}

bool PuntoInFinestra(Punto p, Punto& a, Punto& b) {
    if (a.x > b.x) std::swap(a.x, b.x);
    if (a.y > b.y) std::swap(a.y, b.y);
    return a.x <= p.x && p.x <= b.x && a.y <= p.y && p.y <= b.y;
}

bool PuntoSuSegmento(Punto p, Punto q, Punto r) {
    if (std::fabs(r.y - q.y) < TOLL_SEGMENTO) {
        if (std::fabs(p.y - q.y) >= TOLL_SEGMENTO) return false;
        if (compreso(p.x, q.x, r.x)) return true;
    }
    if (std::fabs(r.x - q.x) < TOLL_SEGMENTO) {
        if (std::fabs(p.x - q.x) >= TOLL_SEGMENTO) return false;
        if (compreso(p.y, q.y, r.y)) return true;
    }
    const float uno = (p.y - q.y) * (r.x - q.x);
    const float due = (p.x - q.x) * (r.y - q.y);
    if (std::fabs(double(uno) - double(due)) >= TOLL_ALLINEATI) return false;
    return compreso(p.x, q.x, r.x) && compreso(p.y, q.y, r.y);
}

namespace {

// Coefficients D, E, F of x² + y² + D·x + E·y + F = 0 through three points.
bool cerchio3Punti(Punto p1, Punto p2, Punto p3, double& d, double& e, double& f) {
    const double x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y, x3 = p3.x, y3 = p3.y;
    const float det = float(x1 * (y2 - y3) - y1 * (x2 - x3) + (x2 * y3 - y2 * x3));
    if (det == 0) return false;
    const double s1 = float(-(x1 * x1 + y1 * y1));
    const double s2 = float(-(x2 * x2 + y2 * y2));
    const double s3 = float(-(x3 * x3 + y3 * y3));
    d = double(float(s1 * (y2 - y3) - y1 * (s2 - s3) + (s2 * y3 - s3 * y2))) / det;
    e = double(float(x1 * (s2 - s3) - s1 * (x2 - x3) + (x2 * s3 - s2 * x3))) / det;
    f = double(
            float(x1 * (y2 * s3 - y3 * s2) - y1 * (x2 * s3 - s2 * x3) + s1 * (x2 * y3 - y2 * x3))) /
        det;
    return true;
}

}  // namespace

Punto CentroCerchio3Punti(Punto p1, Punto p2, Punto p3) {
    double d, e, f;
    if (!cerchio3Punti(p1, p2, p3, d, e, f)) return {0, 0};
    return {float(-d / 2), float(-e / 2)};
}

std::optional<double> RaggioCerchio3Punti(Punto p1, Punto p2, Punto p3) {
    double d, e, f;
    if (!cerchio3Punti(p1, p2, p3, d, e, f)) return std::nullopt;
    // Rounding may leave a tiny negative radicand for a vanishing circle.
    return std::sqrt(std::max(0.0, d * d / 4 + e * e / 4 - f));
}

void RisolviEq2Grado(double a, double b, double c, double& delta, double& x1, double& x2) {
    delta = b * b - 4 * a * c;
    if (delta > 0) {
        x1 = (-b + std::sqrt(delta)) / 2 / a;
        x2 = (-b - std::sqrt(delta)) / 2 / a;
    } else if (delta == 0) {
        x1 = x2 = -b / 2 / a;
    }
}

namespace {

int intersezione(Punto a, Punto b, Punto c, Punto d, Punto& i, bool esatta) {
    auto kAB = [&] { return float((b.x - a.x) / (b.y - a.y)); };
    auto kCD = [&] { return float((d.x - c.x) / (d.y - c.y)); };
    const bool abOrizzontale = esatta ? b.y == a.y : std::fabs(b.y - a.y) < TOLL_ANGOLO;
    const bool cdOrizzontale = esatta ? d.y == c.y : std::fabs(d.y - c.y) < TOLL_ANGOLO;
    if (abOrizzontale) {
        if (d.y == c.y) return 0;
        i.y = a.y;
        i.x = float(c.x + double(a.y - c.y) * kCD());
    } else if (cdOrizzontale) {
        i.y = c.y;
        i.x = float(a.x + double(c.y - a.y) * kAB());
    } else {
        const float k1 = kAB();
        const float k2 = kCD();
        if (k1 == k2) return 0;
        i.y = float((double(c.x) - a.x - double(c.y) * k2 + double(a.y) * k1) / (double(k1) - k2));
        i.x = float(a.x + double(i.y - a.y) * k1);
    }
    if (std::fabs(i.x) > MAX_COORDINATA || std::fabs(i.y) > MAX_COORDINATA) return 0;
    return 1;
}

}  // namespace

int IntersezRette(Punto a, Punto b, Punto c, Punto d, Punto& i) {
    return intersezione(a, b, c, d, i, false);
}

Punto IntersezRetteEsatta(Punto a, Punto b, Punto c, Punto d, int& trovato) {
    Punto i;
    trovato = intersezione(a, b, c, d, i, true);
    return i;
}

int IntersezSegmenti(Punto a, Punto b, Punto c, Punto d, Punto& i) {
    if (IntersezRette(a, b, c, d, i) != 1) return 0;
    return PuntoSuSegmento(i, a, b) && PuntoSuSegmento(i, c, d) ? 1 : 0;
}

void IntersezCerchioSegmento(Punto c, float r, Punto q, Punto rr, Punto& i1, Punto& i2, int& f1,
                             int& f2) {
    f1 = f2 = 0;
    double delta = -1, x1 = 0, x2 = 0;
    const double cx = c.x, cy = c.y, qx = q.x, qy = q.y, rad = r;
    const bool verticale = q.x == rr.x;
    const bool orizzontale = q.y == rr.y;
    if (verticale) {
        RisolviEq2Grado(1, -2 * cy, (qx - cx) * (qx - cx) + cy * cy - rad * rad, delta, x1, x2);
        i1 = {q.x, float(x1)};
        i2 = {q.x, float(x2)};
    }
    if (orizzontale) {
        RisolviEq2Grado(1, -2 * cx, (qy - cy) * (qy - cy) + cx * cx - rad * rad, delta, x1, x2);
        i1 = {float(x1), q.y};
        i2 = {float(x2), q.y};
    }
    if (!verticale && !orizzontale) {
        const double m = float((rr.y - q.y) / (rr.x - q.x));
        RisolviEq2Grado(1 + m * m, -2 * cx + 2 * qy * m - 2 * qx * m * m - 2 * cy * m,
                        cx * cx + cy * cy + qy * qy + m * m * qx * qx - 2 * qy * m * qx -
                            2 * cy * qy + 2 * cy * m * qx - rad * rad,
                        delta, x1, x2);
        i1 = {float(x1), float(qy + m * (float(x1) - qx))};
        i2 = {float(x2), float(qy + m * (float(x2) - qx))};
    }
    if (delta >= 0) {
        f1 = PuntoSuSegmento(i1, q, rr) ? 1 : 0;
        f2 = PuntoSuSegmento(i2, q, rr) ? 1 : 0;
    }
}

int IntersezCerchi(float x1, float y1, float r1, float x2, float y2, float r2, Punto& p, Punto& q) {
    const double ax = x1, ay = y1, ar = r1, bx = x2, by = y2, br = r2;
    if ((ax - bx) * (ax - bx) + (ay - by) * (ay - by) <= br * br && r2 > r1) return 2;
    // The common chord o·x + m·y = K.
    const double o = 2 * (bx - ax);
    const double m = 2 * (by - ay);
    const double k = bx * bx - ax * ax + by * by - ay * ay - br * br + ar * ar;
    const double v = m != 0 ? float(-o / m) : 0.0;
    const double c0 = m != 0 ? float(k / m) : 0.0;
    if (m != 0 && std::fabs(v) <= 1 && std::isfinite(c0)) {
        double delta, px = 0, qx = 0;
        RisolviEq2Grado(1 + v * v, 2 * c0 * v - 2 * ax - 2 * ay * v,
                        ax * ax + c0 * c0 + ay * ay - 2 * ay * c0 - ar * ar, delta, px, qx);
        if (!(delta >= 0)) return 0;
        // Both points lie on the chord, so each takes its y from it.
        p = {float(px), float(c0 + v * px)};
        q = {float(qx), float(c0 + v * qx)};
        return 1;
    }
    // A steep or vertical chord (centres on or near one horizontal) is ill-suited to
    // y = c0 + v·x: the points are found from the line of centres instead. Concentric
    // circles have no single meeting points.
    const double d = std::hypot(bx - ax, by - ay);
    if (!(d > 0)) return 0;
    const double a = (d * d + ar * ar - br * br) / (2 * d);
    const double h2 = ar * ar - a * a;
    if (!(h2 >= 0)) return 0;
    const double h = std::sqrt(h2);
    const double ux = (bx - ax) / d, uy = (by - ay) / d;
    const double mx = ax + a * ux, my = ay + a * uy;
    Punto uno{float(mx - h * uy), float(my + h * ux)};
    Punto due{float(mx + h * uy), float(my - h * ux)};
    // First the point with the larger x (then the larger y), as the roots come.
    if (due.x > uno.x || (due.x == uno.x && due.y > uno.y)) std::swap(uno, due);
    p = uno;
    q = due;
    return 1;
}

bool SegmentoIntersecaFinestra(Punto p, Punto q, Punto l, Punto u) {
    if (dentro(p, l, u) || dentro(q, l, u)) return true;
    return toccaLatiABSD(p, q, lati(l, u));
}

bool PolilineaIntersecaFinestra(Punto l, Punto u, int n, const std::vector<Punto>& v) {
    for (int k = 1; k <= n; ++k)
        if (dentro(vertice(v, k), l, u)) return true;
    const Lati w = lati(l, u);
    for (int k = 1; k < n; ++k)
        if (toccaLatiBAAS(vertice(v, k), vertice(v, k + 1), w)) return true;
    return false;
}

bool PoligonoIntersecaFinestra(Punto l, Punto u, int n, const std::vector<Punto>& v) {
    if (PolilineaIntersecaFinestra(l, u, n, v)) return true;
    return n >= 1 && toccaLatiBAAS(vertice(v, n), vertice(v, 1), lati(l, u));
}

bool QuadrilateroIntersecaFinestra(Punto a, Punto b, Punto c, Punto d, Punto l, Punto u) {
    if (dentro(a, l, u) || dentro(b, l, u) || dentro(c, l, u) || dentro(d, l, u)) return true;
    const Lati w = lati(l, u);
    if (toccaLatiABSD(a, b, w) || toccaLatiABSD(c, d, w) || toccaLatiABSD(a, d, w) ||
        toccaLatiABSD(b, c, w))
        return true;
    const Punto m1{(a.x + c.x) / 2, (a.y + c.y) / 2};
    const Punto m2{(b.x + d.x) / 2, (b.y + d.y) / 2};
    return toccaLatiABSD(m1, m2, w);
}

bool CerchioIntersecaFinestra(Punto c, float r, Punto l, Punto u) {
    if (dentro({c.x + r, c.y}, l, u)) return true;
    const Lati w = lati(l, u);
    const std::pair<Punto, Punto> sides[] = {
        {w.bassoA, w.bassoB}, {w.altoA, w.altoB}, {w.sinA, w.sinB}, {w.desA, w.desB}};
    for (const auto& s : sides) {
        Punto i1, i2;
        int f1, f2;
        IntersezCerchioSegmento(c, r, s.first, s.second, i1, i2, f1, f2);
        if (f1 == 1 || f2 == 1) return true;
    }
    return false;
}

bool ArcoIntersecaFinestra(Punto l, Punto u, Punto inizio, Punto fine, Punto terzo) {
    const Punto centro = CentroCerchio3Punti(inizio, fine, terzo);
    const float raggio = float(RaggioCerchio3Punti(inizio, fine, terzo).value_or(0));
    if (dentro(inizio, l, u) || dentro(fine, l, u) || dentro(terzo, l, u)) return true;
    const Lati w = lati(l, u);
    const std::pair<Punto, Punto> sides[] = {
        {w.bassoA, w.bassoB}, {w.altoA, w.altoB}, {w.sinA, w.sinB}, {w.desA, w.desB}};
    for (const auto& s : sides) {
        Punto i1, i2;
        int f1, f2;
        IntersezCerchioSegmento(centro, raggio, s.first, s.second, i1, i2, f1, f2);
        if (f1 == 1 && PuntoSuArco(i1, centro, inizio, fine)) return true;
        if (f2 == 1 && PuntoSuArco(i2, centro, inizio, fine)) return true;
    }
    return false;
}

double DistanzaPunti(Punto p, Punto q) {
    const double dx = double(p.x) - q.x;
    const double dy = double(p.y) - q.y;
    return std::sqrt(dx * dx + dy * dy);
}

bool PuntoInCerchio(Punto p, Punto q, float r) {
    return r >= float(DistanzaPunti(p, q));
}

double CirconferenzaCerchio(Punto centro, Punto bordo) {
    return DUE_PI * DistanzaPunti(centro, bordo);
}

double AreaCerchio(Punto centro, Punto bordo) {
    const double d = DistanzaPunti(centro, bordo);
    return PI * d * d;
}

float PerimetroQuadrilatero(Punto a, Punto b, Punto c, Punto d) {
    return float(DistanzaPunti(a, b) + DistanzaPunti(b, c) + DistanzaPunti(c, d) +
                 DistanzaPunti(d, a));
}

float AreaQuadrilatero(Punto a, Punto b, Punto c, Punto d) {
    return AreaPoligono(4, {a, b, c, d});
}

float PerimetroPoligono(int n, const std::vector<Punto>& v) {
    double somma = 0;
    for (int k = 1; k <= n; ++k)
        somma += DistanzaPunti(vertice(v, k), vertice(v, k < n ? k + 1 : 1));
    return float(somma);
}

float AreaPoligono(int n, const std::vector<Punto>& v) {
    double somma = 0;
    for (int k = 1; k <= n; ++k) {
        const Punto& a = vertice(v, k);
        const Punto& b = vertice(v, k < n ? k + 1 : 1);
        somma += (double(a.x) * b.y - double(a.y) * b.x) / 2;
    }
    return float(std::fabs(somma));
}

bool PuntoInPoligono(Punto p, const std::vector<Punto>& v) {
    const int n = int(v.size());
    const float lungo = 1e7f;
    const Punto fini[] = {
        {p.x + lungo, p.y}, {p.x - lungo, p.y}, {p.x, p.y + lungo}, {p.x, p.y - lungo}};
    for (const Punto& fine : fini) {
        bool attraversa = false;
        for (int k = 1; k <= n && !attraversa; ++k)
            attraversa = segmentoIncontra(p, fine, v[size_t(k - 1)], v[size_t(k < n ? k : 0)]);
        if (!attraversa) return false;
    }
    return n > 0;
}

}  // namespace ModuloFunzioniGeometria
