// Reading a value off one segment of a graph polyline.
#include "host/zvk_prg.h"

#include <algorithm>
#include <cmath>

extern "C" ZV_HOST_API bool zv_vec_d2_get_y(double x1, double y1, double x2, double y2, double x, double* y)
{
    if (y == nullptr || !std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
        !std::isfinite(y2) || !std::isfinite(x)) {
        return false;
    }
    // A vertical segment has no single y for its x.
    if (x1 == x2) {
        return false;
    }
    // Both ends belong to the segment, whichever way it runs.
    if (x < std::min(x1, x2) || x > std::max(x1, x2)) {
        return false;
    }
    // Interpolate from the nearer end so that x at an end gives that end's y
    // exactly.
    const double t = (x - x1) / (x2 - x1);
    if (!std::isfinite(t)) {
        return false; // the x-range itself overflows a double
    }
    *y = t <= 0.5 ? y1 + t * (y2 - y1) : y2 + (1.0 - t) * (y1 - y2);
    return true;
}
