#include "plugin/app/pgn_oriented_axes2d_app/pgn_oriented_axes2d_app_widget.h"

namespace zv
{

namespace
{

constexpr std::int32_t file_caption = 111; // "File"
constexpr std::int32_t file_filter = 112;  // "File (*.shp)|*.shp"

} // namespace

pgn_oriented_axes2d_app_widget::pgn_oriented_axes2d_app_widget()
    : file_input_row(file_caption, toolkit::open_file, file_filter)
{
}

} // namespace zv
