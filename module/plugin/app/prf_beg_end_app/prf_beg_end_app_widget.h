// The profile tool's dialog: one labelled folder input in one row.
#pragma once

#include "toolkit/file_input_row.h"

namespace zv
{

class prf_beg_end_app_widget : public toolkit::file_input_row
{
  public:
    prf_beg_end_app_widget();

    // Processes the chosen folder; false (and no message) when none is chosen.
    bool run();
};

} // namespace zv
