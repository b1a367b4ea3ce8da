#include "superficie.h"

namespace {

gdi::HBRUSH surfaceBrush(int32_t campitura, int32_t colore, int32_t hBmp) {
    if (campitura == Immagine) return gdi::CreatePatternBrush(hBmp);
    // Horizontal lines are hatched here too, as circles and rectangles hatch them.
    if (campitura >= LineeOrizzontali && campitura <= Rombi)
        return gdi::CreateHatchBrush(campitura, gdi::COLORREF(colore));
    if (campitura == Solido) return gdi::CreateSolidBrush(gdi::COLORREF(colore));
    return nullptr;  // transparent: the device's own brush stays
}

}  // namespace

void superficie::disSup() {
    SelectedPen pen(DC, *this);
    SelectedBrush brush(DC, surfaceBrush(campitura, colocampitura, hBmp));
    const std::vector<gdi::POINT> pts = vertici_.devicePoints();
    gdi::Polygon(DC, pts.data(), int(pts.size()));
}
