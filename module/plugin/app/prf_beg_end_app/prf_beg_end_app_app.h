// The profile begin/end/length tool: for every polyline shapefile below a
// folder, a table of its profiles' first and last vertices in GSK-2011 and
// WGS84, and a workbook of it.
#pragma once

#include <cstdint>

#include "plugin/app/prf_beg_end_app/prf_beg_end_app_widget.h"
#include "util/tool_service.h"

namespace zv
{

class prf_beg_end_app_app final : public util::tool_service<prf_beg_end_app_app, prf_beg_end_app_widget>
{
  public:
    static constexpr char16_t service_path[] = u"/app/prf_beg_end_app";
    static constexpr char16_t internal_name[] = u"zvk_prf_beg_end_app_app";
    static constexpr std::int32_t text_id = 10;

    explicit prf_beg_end_app_app(const interface_ref& parent) : obj(parent) {}

    bool accept() { return widget().run(); }
};

} // namespace zv
