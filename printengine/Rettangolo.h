#pragma once

// Four-cornered outline, drawn as a closed filled polygon of its corners in order.
#include "DrawingObject.h"

class Rettangolo : public DrawingObject, public OutlinePen, public AreaFill {
public:
    float perimet = 0;
    float supf = 0;

    int16_t vertic() const { return vertici_.vertic(); }
    void setVertic(int32_t n) { vertici_.setVertic(n); }
    void inser_vert_ret(float x, float y, int indice) { vertici_.setVertex(x, y, indice); }
    void prel_vert_ret(float& x, float& y, int indice) const { vertici_.vertex(x, y, indice); }
    void ins_vertselez(int16_t flag, int indice) { vertici_.setFlag(flag, indice); }
    void prel_vertselez(int16_t& flag, int indice) const { vertici_.flag(flag, indice); }
    void disrettangolo();

private:
    VertexList vertici_;
};
