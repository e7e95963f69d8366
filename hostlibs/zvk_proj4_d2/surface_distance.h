// Distances between points on an ellipsoid: geodesics, and their short
// cousins computed from the straight line through the ellipsoid.
#pragma once

#include "host/zvk_prg.h"

#include <array>
#include <geodesic.h>

namespace zv::zvk_proj4_d2
{

// A point given as longitude, latitude degrees, with its earth-centred
// position and the sines and cosines that place it.
struct surface_point {
    zv_vertex_d2 geographic{};
    std::array<double, 3> xyz{};
    double sin_lat = 0.0, cos_lat = 1.0, sin_lon = 0.0, cos_lon = 1.0;
};

// geod_inverse's distance between two points given as longitude, latitude
// degrees.
double geod_distance(const geod_geodesic& ellipsoid, const zv_vertex_d2& a, const zv_vertex_d2& b);

class surface_distance
{
  public:
    explicit surface_distance(const geod_geodesic& ellipsoid);

    surface_point locate(const zv_vertex_d2& geographic) const;

    // The straight line through the ellipsoid between two points, which no
    // path on its surface is shorter than.
    static double chord(const surface_point& a, const surface_point& b);

    // Length of the geodesic between two points. Up to short_arc_limit_m on
    // an ellipsoid as flat as the Earth's it is taken from the chord (see
    // the source), within 10 nm of geod_inverse and several times
    // cheaper; farther, or on other ellipsoids, it is geod_inverse's.
    double geodesic(const surface_point& a, const surface_point& b) const;

    bool earth_like() const { return earth_like_; }

    static constexpr double short_arc_limit_m = 2000.0;

  private:
    double arc_from_chord(const surface_point& a, const surface_point& b, double chord) const;

    const geod_geodesic& ellipsoid_;
    double e2_;       // the squared eccentricity
    bool earth_like_; // flattened as little as the Earth
};

} // namespace zv::zvk_proj4_d2
