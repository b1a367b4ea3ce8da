#pragma once

// Circle about a centre through a point of its rim.
#include "DrawingObject.h"

class Cerchio : public DrawingObject, public OutlinePen, public AreaFill {
public:
    float Xcentro = 0, Ycentro = 0;
    float Xpunto = 0, YPunto = 0;
    float raggio = 0;  // stored only: the radius follows from the two points
    float perimet = 0;
    float supf = 0;

    void discerchio();
};
