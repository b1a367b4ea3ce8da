#include "Arco.h"

#include "ModuloFunzioniGeometria.h"
#include "VbConv.h"

void Arco::Calcola_Xc_Yc_Raggio_arco(float& xc, float& yc, double& raggio) const {
    const Punto a{p1x, p1y}, b{p2x, p2y}, c{p3x, p3y};
    const auto r = ModuloFunzioniGeometria::RaggioCerchio3Punti(a, b, c);
    if (!r) return;
    const Punto centro = ModuloFunzioniGeometria::CentroCerchio3Punti(a, b, c);
    xc = centro.x;
    yc = centro.y;
    raggio = *r;
}

void Arco::Disarco() {
    SelectedPen pen(DC, *this);
    float fx = 0, fy = 0;
    double fr = 0;
    Calcola_Xc_Yc_Raggio_arco(fx, fy, fr);
    const int32_t xc = vb::CLng(fx);
    const int32_t yc = vb::CLng(fy);
    int32_t r = vb::CLng(fr);
    if (r > 100000) r = 100000;  // nearly straight arcs stay within the device's range
    // The box's corners stay 32-bit even about a centre far off the page.
    auto corner = [](int64_t v) { return vb::CLng(double(v)); };
    gdi::Arc(DC, corner(int64_t(xc) - r), corner(int64_t(yc) - r), corner(int64_t(xc) + r),
             corner(int64_t(yc) + r), vb::CLng(p1x), vb::CLng(p1y), vb::CLng(p2x), vb::CLng(p2y));
}
