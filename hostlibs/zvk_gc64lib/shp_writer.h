// Saving a geometry table as a shapefile, all or nothing.
#pragma once

#include "geom_table.h"

#include <string>

namespace zv::gc
{

// Writes .shp, .shx and .dbf at path (UTF-8) with its extension replaced,
// plus the source's .prj and .cpg. Everything is written under temporary
// names in the same folder and renamed into place at the end; on any failure
// the temporaries (and any output already renamed) are removed and false is
// returned. A table that was never filled (no shape type) or of multipatches
// is not saved.
bool save_shapefile(const geom_table& table, const std::string& path);

} // namespace zv::gc
