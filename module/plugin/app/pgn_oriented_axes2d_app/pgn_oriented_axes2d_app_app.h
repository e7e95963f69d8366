// The polygon axes tool: for a polygon shapefile, the long axis, the short
// axis and the enclosing rectangle of every polygon in its own axes.
#pragma once

#include <cstdint>

#include "plugin/app/pgn_oriented_axes2d_app/pgn_oriented_axes2d_app_widget.h"
#include "plugin/app/pgn_oriented_axes2d_app/pgn_processing.h"
#include "util/tool_service.h"

namespace zv
{

class pgn_oriented_axes2d_app_app final
    : public util::tool_service<pgn_oriented_axes2d_app_app, pgn_oriented_axes2d_app_widget>
{
  public:
    static constexpr char16_t service_path[] = u"/app/pgn_oriented_axes2d_app";
    static constexpr char16_t internal_name[] = u"zvk_pgn_oriented_axes2d_app_app";
    static constexpr std::int32_t text_id = 110;

    explicit pgn_oriented_axes2d_app_app(const interface_ref& parent) : obj(parent) {}

    // False, with no message, while no file is chosen.
    bool accept()
    {
        const std::u16string& path = widget().input.path();
        return !path.empty() && pgn_process_path(path);
    }
};

} // namespace zv
