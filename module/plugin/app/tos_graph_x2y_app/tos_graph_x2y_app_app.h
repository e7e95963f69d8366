// The OAT property calculation by graph tool: in a .pgrid data file, the
// result property Y of every object becomes the graph's value at its source
// property X; the graph is a polyline shapefile.
#pragma once

#include <cstdint>

#include "plugin/app/tos_graph_x2y_app/tos_graph_x2y_app_widget.h"
#include "util/tool_service.h"

namespace zv
{

class tos_graph_x2y_app_app final : public util::tool_service<tos_graph_x2y_app_app, tos_graph_x2y_app_widget>
{
  public:
    static constexpr char16_t service_path[] = u"/app/tos_graph_x2y_app";
    static constexpr char16_t internal_name[] = u"zvk_tos_graph_x2y_app_app";
    static constexpr std::int32_t text_id = 210;

    explicit tos_graph_x2y_app_app(const interface_ref& parent) : obj(parent) {}

    bool accept() { return widget().run(); }
};

} // namespace zv
