#pragma once

// Closed polygon filled by hatch, solid colour or a picture pattern.
#include "DrawingObject.h"

class superficie : public DrawingObject, public OutlinePen, public AreaFill {
public:
    float perimet = 0;
    float supf = 0;
    int32_t hBmp = 0;  // bitmap of the picture fill (gdi::registerBitmap)

    int16_t vertic() const { return vertici_.vertic(); }
    void setVertic(int32_t n) { vertici_.setVertic(n); }
    void inser_vert_sup(float x, float y, int indice) { vertici_.setVertex(x, y, indice); }
    void prel_vert_sup(float& x, float& y, int indice) const { vertici_.vertex(x, y, indice); }
    void ins_vertselez(int16_t flag, int indice) { vertici_.setFlag(flag, indice); }
    void prel_vertselez(int16_t& flag, int indice) const { vertici_.flag(flag, indice); }
    void disSup();

private:
    VertexList vertici_;
};
