// Binding a coordinate system that has no shift to WGS84 of its own (a .prj
// in ESRI style never has one) to WGS84 with a Helmert transformation from
// PROJ's database, chosen for the data's extent, so that its PROJ.4
// definition carries +towgs84 and reprojections do not silently drop the
// datum shift.
#pragma once

#include "proj_session.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zv::zvk_proj4_d2
{

// Longitudes and latitudes in degrees; east < west when the box crosses the
// antimeridian.
struct geo_box {
    double west, south, east, north;
};

// A box in the units of a system's own coordinates (a shapefile's bounds).
struct plane_box {
    double xmin, ymin, xmax, ymax;
};

// One Helmert transformation from a system's geographic system to WGS84.
struct helmert_shift {
    pj_ptr transformation; // the Helmert transformation itself
    double accuracy_m;     // as PROJ's database states it; negative when unknown
    geo_box area;          // its area of use
};

// The shift for data within extent: of the shifts whose area holds the
// whole extent, the most accurate (the smaller area on a tie); when none
// does, the one whose area overlaps the extent most (the more accurate on a
// tie); none when no area touches the extent. Without an extent: of the
// shifts with the largest area, the most accurate. Areas are compared in
// square degrees.
std::optional<std::size_t> choose_shift(const helmert_shifts& shifts, const std::optional<geo_box>& extent);

// The Helmert transformations (3 or 7 parameters, as +towgs84 holds them)
// between the geographic system of crs and WGS84 that PROJ's database
// knows, with their areas of use. Empty when there is none, for WGS84
// itself, or when PROJ does not know the datum.
helmert_shifts find_helmert_shifts(PJ_CONTEXT* ctx, const PJ* crs);

// The data's bounds as longitudes and latitudes on the datum of the system
// that definition makes; nullopt when they cannot be taken there.
std::optional<geo_box> geographic_extent(proj_session& session, const std::string& definition,
                                         const plane_box& bounds);

// crs bound to WGS84 by the shift; null when PROJ cannot make that.
pj_ptr bind_to_wgs84(PJ_CONTEXT* ctx, const PJ* crs, const helmert_shift& shift);

} // namespace zv::zvk_proj4_d2
