// The OAT graph tool's dialog: a "Graph" box with the graph shapefile input
// and a "Data" box with the data file input and the X and Y property lists,
// refilled from the data file whenever the user chooses one.
#pragma once

#include <string>

#include "toolkit/dropdown.h"
#include "toolkit/file_input.h"
#include "toolkit/groupbox.h"
#include "toolkit/labeled_element.h"

namespace zv
{

struct tos_graph_params;

class tos_graph_x2y_app_widget
{
  public:
    using property_list = toolkit::detail::labeled_element<toolkit::dropdownex<std::u16string>>;

    tos_graph_x2y_app_widget();
    tos_graph_x2y_app_widget(const tos_graph_x2y_app_widget&) = delete;
    tos_graph_x2y_app_widget& operator=(const tos_graph_x2y_app_widget&) = delete;

    // Refills both property lists from the chosen data file.
    void refill_property_lists();

    // Recomputes the result property; the parameters' warning when they are
    // incomplete or X and Y are one property.
    bool run();

    toolkit::detail::labeled_element<toolkit::file_input> graph_file;
    toolkit::detail::labeled_element<toolkit::file_input> data_file;
    property_list x_property;
    property_list y_property;
    toolkit::grid_layout<1, 2> data_file_row;
    toolkit::grid_layout<1, 4> property_row;
    toolkit::groupbox<1, 2> graph_box;
    toolkit::groupbox<2, 1> data_box;
    toolkit::grid_layout<2, 1> root;
};

// Fills params from the dialog when the graph and data paths are chosen and
// X and Y name two different properties (compared without regard to case).
bool tos_collect_params(const tos_graph_x2y_app_widget& widget, tos_graph_params& params);

} // namespace zv
