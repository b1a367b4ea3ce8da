#pragma once

// A line's data; lines are drawn by their print command, not by this class.
#include <cstdint>

class Linea {
public:
    float Xi = 0, Yi = 0;
    float Xf = 0, Yf = 0;
    int32_t colorelinea = 0;
    int32_t TipoLinea = 0;
    float speslinea = 0;
    int16_t vert1_selez = 0;
    int16_t vert2_selez = 0;
};
