// The .prj file beside a data file: WKT in, PROJ.4 definition out.
#pragma once

#include <optional>
#include <string>

namespace zv::zvk_proj4_d2
{

// The path of the .prj beside a data file: its extension (from the last "."
// of the file name) replaced by ".prj", or ".prj" appended when it has none.
std::u16string prj_path(const std::u16string& data_path);

// The PROJ.4 definition of the coordinate system in the .prj beside the data
// file; nullopt when there is no such file, it is empty or too large, or PROJ
// does not understand it.
std::optional<std::string> load_prj_definition(const std::u16string& data_path);

} // namespace zv::zvk_proj4_d2
