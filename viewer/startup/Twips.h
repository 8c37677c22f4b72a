// Window positions and sizes are kept in twips; the screen works in pixels. The factor is fixed.
#pragma once

#include <cmath>

namespace Twips {
constexpr int PerPixel = 15;
inline int ToPixels(double twips) { return static_cast<int>(std::lround(twips / PerPixel)); }
inline float FromPixels(double pixels) { return static_cast<float>(pixels * PerPixel); }
}
