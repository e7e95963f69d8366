// The polygon axes tool's dialog: one labelled shapefile input in one row.
#pragma once

#include "toolkit/file_input_row.h"

namespace zv
{

class pgn_oriented_axes2d_app_widget : public toolkit::file_input_row
{
  public:
    pgn_oriented_axes2d_app_widget();
};

} // namespace zv
