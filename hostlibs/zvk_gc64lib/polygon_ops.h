// The two polygon operations on geometry tables.
#pragma once

#include "geom_table.h"

namespace zv::zvk_gc64lib
{

// Length and area fields have six decimals, more when the table's smallest
// non-zero value needs them for six significant digits (data in degrees).

// One long and one short axis (two-vertex polylines with field LENGTH) per
// polygon object of polygons; other objects are passed over. The outputs
// must be distinct from each other; either may be polygons itself.
void make_axes(const geom_table& polygons, geom_table& long_axes, geom_table& short_axes);

// One oriented rectangle (fields LENGTH, WIDTH, AZIMUTH, AREA) per polygon
// object; other objects are passed over. rectangles may be polygons itself.
void make_rectangles(const geom_table& polygons, geom_table& rectangles);

} // namespace zv::zvk_gc64lib
