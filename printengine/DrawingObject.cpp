#include "DrawingObject.h"

#include <stdexcept>

#include "VbConv.h"

void VertexList::setVertic(int32_t count) {
    vertic_ = static_cast<int16_t>(static_cast<uint16_t>(count & 0xFFFF));
    const size_t n = vertic_ > 0 ? size_t(vertic_) : 0;
    x_.resize(n);
    y_.resize(n);
    flags_.resize(n);
}

size_t VertexList::slot(int index) const {
    if (index < 1 || index > vertic_)
        throw std::out_of_range("Indice non compreso nell'intervallo");
    return size_t(index - 1);
}

void VertexList::setVertex(float x, float y, int index) {
    const size_t i = slot(index);
    x_[i] = x;
    y_[i] = y;
}

void VertexList::vertex(float& x, float& y, int index) const {
    const size_t i = slot(index);
    x = x_[i];
    y = y_[i];
}

void VertexList::setFlag(int16_t flag, int index) {
    flags_[slot(index)] = flag;
}

void VertexList::flag(int16_t& flag, int index) const {
    flag = flags_[slot(index)];
}

std::vector<gdi::POINT> VertexList::devicePoints() const {
    std::vector<gdi::POINT> pts(x_.size());
    for (size_t i = 0; i < x_.size(); ++i) pts[i] = {vb::CLng(x_[i]), vb::CLng(y_[i])};
    return pts;
}

SelectedPen::SelectedPen(gdi::HDC dc, const OutlinePen& pen)
    : dc_(dc),
      pen_(gdi::CreatePen(pen.trattcont, vb::CLng(pen.spescont), gdi::COLORREF(pen.colcont))),
      previous_(gdi::SelectObject(dc, pen_)) {}

SelectedPen::~SelectedPen() {
    if (previous_) gdi::SelectObject(dc_, previous_);
    gdi::DeleteObject(pen_);
}

SelectedBrush::SelectedBrush(gdi::HDC dc, gdi::HBRUSH brush) : dc_(dc), brush_(brush) {
    if (brush_) previous_ = gdi::SelectObject(dc_, brush_);
}

SelectedBrush::~SelectedBrush() {
    if (previous_) gdi::SelectObject(dc_, previous_);
    if (brush_) gdi::DeleteObject(brush_);
}

gdi::HBRUSH shapeBrush(const AreaFill& fill) {
    const auto color = gdi::COLORREF(fill.colocampitura);
    if (fill.campitura >= LineeOrizzontali && fill.campitura <= Rombi)
        return gdi::CreateHatchBrush(fill.campitura, color);
    if (fill.campitura == Solido) return gdi::CreateSolidBrush(color);
    return nullptr;
}
