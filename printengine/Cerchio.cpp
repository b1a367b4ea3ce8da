#include "Cerchio.h"

#include <cmath>

#include "VbConv.h"

void Cerchio::discerchio() {
    SelectedPen pen(DC, *this);
    SelectedBrush brush(DC, shapeBrush(*this));
    const double dx = double(Xcentro) - Xpunto;
    const double dy = double(Ycentro) - YPunto;
    const double r = std::sqrt(dx * dx + dy * dy);
    gdi::Ellipse(DC, vb::CLng(Xcentro - r), vb::CLng(Ycentro - r), vb::CLng(Xcentro + r),
                 vb::CLng(Ycentro + r));
}
