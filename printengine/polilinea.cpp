#include "polilinea.h"

void polilinea::disPolyline() {
    SelectedPen pen(DC, *this);
    const std::vector<gdi::POINT> pts = vertici_.devicePoints();
    gdi::Polyline(DC, pts.data(), int(pts.size()));
}
