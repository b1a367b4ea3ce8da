#pragma once

#include <cmath>

namespace platform {

// Window geometry is designed in twips; the screen has 15 twips to a pixel at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;
inline int twipsToPx(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline double pxToTwips(int px) {
    return px * kTwipsPerPixel;
}

}  // namespace platform
