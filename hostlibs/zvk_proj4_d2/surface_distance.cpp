#include "surface_distance.h"

#include <cmath>

namespace zv::zvk_proj4_d2
{
namespace
{

constexpr double kRadians = 3.14159265358979323846 / 180.0;
constexpr double kEarthLikeFlattening = 0.01;

double squared(double v)
{
    return v * v;
}

} // namespace

double geod_distance(const geod_geodesic& ellipsoid, const zv_vertex_d2& a, const zv_vertex_d2& b)
{
    double distance = 0.0;
    geod_inverse(&ellipsoid, a.y, a.x, b.y, b.x, &distance, nullptr, nullptr);
    return distance;
}

surface_distance::surface_distance(const geod_geodesic& ellipsoid)
    : ellipsoid_(ellipsoid), e2_(ellipsoid.f * (2.0 - ellipsoid.f)),
      earth_like_(std::fabs(ellipsoid.f) < kEarthLikeFlattening)
{
}

surface_point surface_distance::locate(const zv_vertex_d2& geographic) const
{
    surface_point p;
    p.geographic = geographic;
    p.sin_lat = std::sin(geographic.y * kRadians);
    p.cos_lat = std::cos(geographic.y * kRadians);
    p.sin_lon = std::sin(geographic.x * kRadians);
    p.cos_lon = std::cos(geographic.x * kRadians);
    const double n = ellipsoid_.a / std::sqrt(1.0 - e2_ * squared(p.sin_lat));
    p.xyz = {n * p.cos_lat * p.cos_lon, n * p.cos_lat * p.sin_lon, n * (1.0 - e2_) * p.sin_lat};
    return p;
}

double surface_distance::chord(const surface_point& a, const surface_point& b)
{
    return std::sqrt(squared(b.xyz[0] - a.xyz[0]) + squared(b.xyz[1] - a.xyz[1]) +
                     squared(b.xyz[2] - a.xyz[2]));
}

double surface_distance::geodesic(const surface_point& a, const surface_point& b) const
{
    if (earth_like_) {
        const double c = chord(a, b);
        if (c <= short_arc_limit_m) {
            return arc_from_chord(a, b, c);
        }
    }
    return geod_distance(ellipsoid_, a.geographic, b.geographic);
}

// A short geodesic bends like the circle of the ellipsoid's curvature in its
// direction: its length s and chord c obey c = 2R sin(s / 2R), with R the
// radius of curvature of the normal section in that azimuth (Euler:
// 1/R = cos²α/M + sin²α/N). What the circle misses, the change of that
// curvature along the line, is of the order e²s⁴/R³: under 1e-10 m at 2 km
// on the Earth, below the rounding of the earth-centred coordinates (a few
// nanometres). The azimuth is the chord's, seen in the horizon of a; over
// 2 km it differs from the mean azimuth by a fraction of a milliradian,
// which moves R by a millionth of a correction that is itself micrometres.
double surface_distance::arc_from_chord(const surface_point& a, const surface_point& b, double chord) const
{
    const double dx = b.xyz[0] - a.xyz[0];
    const double dy = b.xyz[1] - a.xyz[1];
    const double dz = b.xyz[2] - a.xyz[2];
    const double east = -a.sin_lon * dx + a.cos_lon * dy;
    const double north = -a.sin_lat * (a.cos_lon * dx + a.sin_lon * dy) + a.cos_lat * dz;
    const double horizontal = squared(east) + squared(north);
    if (horizontal == 0.0) {
        return chord; // the same point
    }
    const double w2 = 1.0 - e2_ * squared(a.sin_lat);
    const double normal = ellipsoid_.a / std::sqrt(w2); // N, prime vertical
    const double meridian = normal * (1.0 - e2_) / w2;  // M
    const double curvature = (squared(north) / meridian + squared(east) / normal) / horizontal;
    return 2.0 * std::asin(0.5 * chord * curvature) / curvature;
}

} // namespace zv::zvk_proj4_d2
