// Saving a geometry table as a shape file, all or nothing, through the
// project's shape file writer and table writer.
#pragma once

#include "geom_table.h"

#include <string>

namespace zv::zvk_gc64lib
{

// Writes .shp, .shx and .dbf at path (native) with its extension replaced,
// plus the source's .prj and .cpg. Everything is written under temporary
// names in the same folder before anything is renamed into place, the .shp
// last; a companion this save does not produce is removed from the
// destination, so no stale .prj or .cpg describes the new files. On any
// failure the temporaries (and any output already renamed) are removed and
// false is returned. A table that was never filled (no shape type) or of
// multipatches is not saved.
bool save_table(const geom_table& table, const std::string& path);

} // namespace zv::zvk_gc64lib
