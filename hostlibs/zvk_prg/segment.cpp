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
    // Halved operands keep differences of huge values finite.
    double t = (x - x1) / (x2 - x1);
    if (!std::isfinite(x2 - x1) || !std::isfinite(x - x1)) {
        t = (0.5 * x - 0.5 * x1) / (0.5 * x2 - 0.5 * x1);
    }
    // A weighted mean gives each end's y exactly at its x and cannot
    // overflow for finite ends.
    *y = (1.0 - t) * y1 + t * y2;
    return true;
}
