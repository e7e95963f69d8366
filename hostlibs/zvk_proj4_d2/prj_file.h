// The .prj file beside a data file: WKT in, PROJ.4 definition out.
#pragma once

#include <optional>
#include <string>

namespace zv::zvk_proj4_d2
{

// The PROJ.4 definition of the coordinate system in the .prj beside the data
// file (same stem, found by foundation::find_companion); nullopt when there
// is no such file, it is empty or too large, or PROJ does not understand it. A
// system without a shift to WGS84 of its own is bound to WGS84 for the
// extent in the header of the .shp beside it (prj_system::definition_for).
std::optional<std::string> load_prj_definition(const std::u16string& data_path);

} // namespace zv::zvk_proj4_d2
