// Fixtures for the geometry library's tests: shapefiles
// written with shapelib itself, and pyshp as the independent reader.
#pragma once

#include "geom_table.h"
#include "kit/scratch_folder.h"

#include <string>
#include <vector>

namespace zv::zvk_gc64lib::test
{

// Folders, paths and file helpers shared with the other host-library tests.
using zv::test::backslashed;
using zv::test::scratch_folder;
using zv::test::u16;

// An input shapefile: shape type, objects as lists of parts, one text field
// NAME, one numeric field CODE and one text field LENGTH (a name our outputs
// also use), and the .dbf's code page (e.g. "UTF-8"; empty for none).
struct shapefile_input {
    int shp_type;
    std::vector<std::vector<ring>> objects;
    std::vector<std::string> names;
    std::vector<int> codes;
    std::string code_page = "UTF-8";
    int dbf_records = -1; // records in the .dbf; -1 for one per object
};
void write_shapefile(const std::string& base, const shapefile_input& input);

// The shapefile as pyshp reads it, one line per item, tab-separated:
//   type <shape type>
//   field <name> <type> <size> <decimals>
//   record <value> <value> ...
//   shape <shape type> <part starts joined by ','> <x,y> <x,y> ...
std::vector<std::string> pyshp_dump(const std::string& shp_path, const std::string& encoding = "utf-8");

std::vector<std::string> split_tabs(const std::string& line);
std::vector<std::vector<std::string>> lines_starting(const std::vector<std::string>& dump,
                                                     const std::string& tag);

// A ring from a flat list of coordinates x0, y0, x1, y1, ...
ring make_ring(std::initializer_list<double> xy);

} // namespace zv::zvk_gc64lib::test
