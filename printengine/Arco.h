#pragma once

// Arc through three points, drawn from the start point to the end point.
#include "DrawingObject.h"

class Arco : public DrawingObject, public OutlinePen {
public:
    float p1x = 0, p1y = 0;  // start
    float p2x = 0, p2y = 0;  // end
    float p3x = 0, p3y = 0;  // a third point, fixing the circle
    int16_t vert1_selez = 0;
    int16_t vert2_selez = 0;

    // Centre and radius of the circle through the three points; left as they
    // were when the points are collinear.
    void Calcola_Xc_Yc_Raggio_arco(float& xc, float& yc, double& raggio) const;
    void Disarco();
};
