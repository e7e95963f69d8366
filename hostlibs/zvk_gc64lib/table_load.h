// Loading a shape file with its attributes into a geometry table, through
// the project's shape file reader and table reader.
#pragma once

#include "geom_table.h"

#include <string>

namespace zv::zvk_gc64lib
{

// Replaces table with the shape file at path (native; its extension, if any,
// is replaced by .shp, .shx, .dbf, .cpg, .prj, each also found in upper
// case). A missing .dbf gives objects without attributes; a damaged .shp,
// .shx or .dbf, or an unreadable .cpg or .prj, fails the load. On failure
// table is left empty.
bool load_table(const std::string& path, geom_table& table);

} // namespace zv::zvk_gc64lib
