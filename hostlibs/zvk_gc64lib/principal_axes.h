// A polygon's own axes: its principal central axes of inertia, and the
// rectangle aligned with them that holds every vertex.
#pragma once

#include "geom_table.h"

#include <optional>
#include <vector>

namespace zv::zvk_gc64lib
{

// The centroid and the unit directions of the major and the minor principal
// axis. major points into azimuths [0, 180) (eastward; northward when due
// north-south); minor is major turned 90 degrees counter-clockwise.
struct principal_frame {
    point centroid;
    point major;
    point minor;
};

// The frame and the extent of the vertices along each axis, as offsets from
// the centroid: [major_min, major_max] along major, [minor_min, minor_max]
// along minor.
struct oriented_box {
    principal_frame frame;
    double major_min = 0, major_max = 0;
    double minor_min = 0, minor_max = 0;

    point at(double along_major, double along_minor) const;
    // Endpoints of the long and the short axis: the lines through the
    // centroid along major and minor, cut by the box, each drawn in the
    // direction whose azimuth lies in [0, 180).
    ring long_axis() const;
    ring short_axis() const;
    // The box as one closed clockwise ring.
    ring rectangle() const;
};

// Principal frame of a polygon from the exact area moments of its rings,
// holes (by nesting) subtracting. A polygon with no area falls back to the
// principal axes of its distinct vertices; equal principal moments (a square,
// a regular polygon, a single point) take the direction of the longest edge,
// or due east when there is no edge. nullopt without vertices or with a
// non-finite coordinate.
std::optional<principal_frame> polygon_principal_frame(const std::vector<ring>& rings);

// The frame with the box of every vertex of the rings.
std::optional<oriented_box> polygon_oriented_box(const std::vector<ring>& rings);

// Azimuth of a direction in degrees clockwise from grid north, as an
// undirected line: in [0, 180).
double line_azimuth_degrees(point direction);

} // namespace zv::zvk_gc64lib
