// Geodesic length of polylines on the ellipsoid of their coordinate system.
#pragma once

#include "proj_session.h"

#include "host/zvk_prg.h"

#include <optional>
#include <vector>

namespace zv::zvk_proj4_d2
{

// How finely a projected segment is followed: it is halved at most
// max_halvings times, and halving stops once the length changes by less
// than tolerance_m metres.
struct halving_rule {
    int max_halvings = 6;
    double tolerance_m = 0.1;
};

// Length in metres of the line through the vertices, or nullopt when a
// vertex cannot be taken to the ellipsoid. Geographic vertices are x
// longitude, y latitude in degrees, and each segment is a geodesic.
std::optional<double> polyline_length(const length_model& model, const std::vector<zv_vertex_d2>& vertices,
                                      const halving_rule& rule);

} // namespace zv::zvk_proj4_d2
