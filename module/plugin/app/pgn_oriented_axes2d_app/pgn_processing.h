// The polygon axes tool's processing: for a polygon shapefile, the long axis,
// the short axis and the oriented rectangle of each of its polygons, written
// as three shapefiles beside it by the host's geometry library.
#pragma once

#include <string>
#include <string_view>

namespace zv
{

// Where the three outputs of an input path go: its folder, its stem with a
// suffix, its extension in lower case (D:\data\fields.SHP gives
// D:\data\fields_large_axes2d.shp, ...).
struct pgn_output_paths {
    std::u16string long_axes;
    std::u16string short_axes;
    std::u16string rectangles;
};
pgn_output_paths pgn_output_paths_for(std::u16string_view input);

// Processes the polygon shapefile at path: loads it, splits multi-part
// polygons into single ones, computes their axes and rectangles and saves the
// long axes, short axes and rectangles in that order, stopping at the first
// save that fails. Reports with one information box, "Выполнено!", whatever
// happened; returns whether all three outputs were saved. An empty path is
// refused at once: false, no message.
bool pgn_process_path(const std::u16string& path);

} // namespace zv
