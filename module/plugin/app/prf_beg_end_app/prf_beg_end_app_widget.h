// The profile tool's dialog: one labelled folder input in one row.
#pragma once

#include "toolkit/file_input.h"
#include "toolkit/grid_layout.h"
#include "toolkit/labeled_element.h"

namespace zv
{

class prf_beg_end_app_widget
{
  public:
    prf_beg_end_app_widget();
    prf_beg_end_app_widget(const prf_beg_end_app_widget&) = delete;
    prf_beg_end_app_widget& operator=(const prf_beg_end_app_widget&) = delete;

    // Processes the chosen folder; false (and no message) when none is chosen.
    bool run();

    toolkit::detail::labeled_element<toolkit::file_input> folder;
    toolkit::grid_layout<1, 2> root;
};

} // namespace zv
