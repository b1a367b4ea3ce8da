#pragma once

// A point of the page in millimetres, single precision as the model stores it.
struct Punto {
    float x = 0;
    float y = 0;
};

inline bool operator==(const Punto& a, const Punto& b) {
    return a.x == b.x && a.y == b.y;
}
