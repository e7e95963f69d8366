// Loading a shapefile with its attributes into a geometry table.
#pragma once

#include "geom_table.h"

#include <string>

namespace zv::gc
{

// Replaces table with the shapefile at path (UTF-8; its extension, if any,
// is replaced by .shp, .shx, .dbf, .prj). A missing .dbf gives objects
// without attributes; a damaged .shp, .shx or .dbf fails the load. On
// failure table is left empty.
bool load_shapefile(const std::string& path, geom_table& table);

} // namespace zv::gc
