#include "plugin/app/pgn_oriented_axes2d_app/pgn_oriented_axes2d_app_widget.h"

namespace zv
{

namespace
{

constexpr std::int32_t file_caption = 111; // "File"
constexpr std::int32_t file_filter = 112;  // "File (*.shp)|*.shp"

} // namespace

pgn_oriented_axes2d_app_widget::pgn_oriented_axes2d_app_widget()
{
    file.set_caption(file_caption);
    file.set_mode(toolkit::open_file);
    file.set_filter(file_filter);
    root.add_labeled(file);
    root.set_column_stretch(1, true);
}

} // namespace zv
