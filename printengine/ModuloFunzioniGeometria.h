#pragma once

// Plane geometry of the print-model designer: angles, points on segments and arcs,
// intersections of lines, segments and circles, circles through three points, and
// the tests of whether an outline lies in or crosses a window. Coordinates are
// single precision; wider arithmetic is used inside and results are rounded back
// where the values are singles. Vertex lists hold vertex 1 at index 0; a count
// beyond the list's size raises std::out_of_range.

#include <optional>
#include <vector>

#include "Punto.h"

namespace ModuloFunzioniGeometria {

constexpr double PI = 3.14159265358979;
constexpr double DUE_PI = 6.28318530717958;
constexpr double TRE_PI = 9.42477796076937;
constexpr float MEZZO_PI = 1.5707964f;
constexpr float TRE_MEZZI_PI = 4.712389f;
constexpr float SOGLIA_GIRO = static_cast<float>(DUE_PI);  // 6.283185 as a single

constexpr double TOLL_ANGOLO = 0.00001;   // angles near 0 or 2π; lines taken as horizontal
constexpr double TOLL_SEGMENTO = 0.0001;  // segments taken as horizontal or vertical
constexpr double TOLL_ALLINEATI = 0.001;  // collinearity cross product
constexpr double MAX_COORDINATA = 5e10;   // largest accepted intersection coordinate

// Angles in radians in [0, 2π), from +x towards +y.
float AngoloPunto(Punto c, Punto p);  // snapped to 0 near 0 and 2π
float AngoloDirezione(Punto p, Punto q);
bool PuntoSuArco(Punto p, Punto c, Punto inizio, Punto fine);

// Orders the corners in place (a becomes the minimum, b the maximum).
bool PuntoInFinestra(Punto p, Punto& a, Punto& b);
bool PuntoSuSegmento(Punto p, Punto q, Punto r);

Punto CentroCerchio3Punti(Punto p1, Punto p2, Punto p3);                  // (0, 0) when none
std::optional<double> RaggioCerchio3Punti(Punto p1, Punto p2, Punto p3);  // empty when none

// a·x² + b·x + c = 0: the discriminant and, when it is not negative, the roots
// (the first with +√Δ); with Δ < 0 the roots are left as they were.
void RisolviEq2Grado(double a, double b, double c, double& delta, double& x1, double& x2);

int IntersezRette(Punto a, Punto b, Punto c, Punto d, Punto& i);
int IntersezSegmenti(Punto a, Punto b, Punto c, Punto d, Punto& i);
void IntersezCerchioSegmento(Punto c, float r, Punto q, Punto rr, Punto& i1, Punto& i2, int& f1,
                             int& f2);
// 0 none, 1 the two meeting points (equal when the circles touch), 2 the centre of
// circle 1 within circle 2 when circle 2 is the larger.
int IntersezCerchi(float x1, float y1, float r1, float x2, float y2, float r2, Punto& p, Punto& q);

// Window tests: l is the lower corner, u the upper one; the border counts as inside.
bool SegmentoIntersecaFinestra(Punto p, Punto q, Punto l, Punto u);
bool PolilineaIntersecaFinestra(Punto l, Punto u, int n, const std::vector<Punto>& v);
bool PoligonoIntersecaFinestra(Punto l, Punto u, int n, const std::vector<Punto>& v);
bool QuadrilateroIntersecaFinestra(Punto a, Punto b, Punto c, Punto d, Punto l, Punto u);
bool CerchioIntersecaFinestra(Punto c, float r, Punto l, Punto u);
bool ArcoIntersecaFinestra(Punto l, Punto u, Punto inizio, Punto fine, Punto terzo);

// Measures.
double DistanzaPunti(Punto p, Punto q);
bool PuntoInCerchio(Punto p, Punto q, float r);
double CirconferenzaCerchio(Punto centro, Punto bordo);
double AreaCerchio(Punto centro, Punto bordo);
float PerimetroQuadrilatero(Punto a, Punto b, Punto c, Punto d);
float AreaQuadrilatero(Punto a, Punto b, Punto c, Punto d);
float PerimetroPoligono(int n, const std::vector<Punto>& v);
float AreaPoligono(int n, const std::vector<Punto>& v);
// As IntersezRette, but a line is horizontal only when its two y are equal.
Punto IntersezRetteEsatta(Punto a, Punto b, Punto c, Punto d, int& trovato);
bool PuntoInPoligono(Punto p, const std::vector<Punto>& v);

}  // namespace ModuloFunzioniGeometria
