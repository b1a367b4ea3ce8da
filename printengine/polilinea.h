#pragma once

// Open line through its vertices; no fill.
#include "DrawingObject.h"

class polilinea : public DrawingObject, public OutlinePen {
public:
    float lunghez = 0;  // stored only

    int16_t vertic() const { return vertici_.vertic(); }
    void setVertic(int32_t n) { vertici_.setVertic(n); }
    void inser_vert_pol(float x, float y, int indice) { vertici_.setVertex(x, y, indice); }
    void prel_vert_pol(float& x, float& y, int indice) const { vertici_.vertex(x, y, indice); }
    void ins_vertselez(int16_t flag, int indice) { vertici_.setFlag(flag, indice); }
    void prel_vertselez(int16_t& flag, int indice) const { vertici_.flag(flag, indice); }
    void disPolyline();

private:
    VertexList vertici_;
};
