#include "Rettangolo.h"

void Rettangolo::disrettangolo() {
    SelectedPen pen(DC, *this);
    SelectedBrush brush(DC, shapeBrush(*this));
    const std::vector<gdi::POINT> pts = vertici_.devicePoints();
    gdi::Polygon(DC, pts.data(), int(pts.size()));
}
