// Loading a shapefile with its attributes into a geometry table.
#ifndef ZV_GC64LIB_SHP_READER_H
#define ZV_GC64LIB_SHP_READER_H

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

#endif
