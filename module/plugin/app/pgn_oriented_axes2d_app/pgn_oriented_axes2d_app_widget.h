// The polygon axes tool's dialog: one labelled shapefile input in one row.
#pragma once

#include "toolkit/file_input.h"
#include "toolkit/grid_layout.h"
#include "toolkit/labeled_element.h"

namespace zv
{

class pgn_oriented_axes2d_app_widget
{
  public:
    pgn_oriented_axes2d_app_widget();
    pgn_oriented_axes2d_app_widget(const pgn_oriented_axes2d_app_widget&) = delete;
    pgn_oriented_axes2d_app_widget& operator=(const pgn_oriented_axes2d_app_widget&) = delete;

    toolkit::detail::labeled_element<toolkit::file_input> file;
    toolkit::grid_layout<1, 2> root;
};

} // namespace zv
