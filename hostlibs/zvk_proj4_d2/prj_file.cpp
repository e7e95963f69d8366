#include "prj_file.h"

#include "foundation/byte_order.h"
#include "foundation/file.h"
#include "foundation/paths.h"
#include "foundation/utf.h"
#include "prj_system.h"
#include "zvk_file_shp/shp_format.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace zv::zvk_proj4_d2
{
namespace
{

// A .prj holds one WKT text; anything larger is not one.
constexpr std::size_t kMaxPrjBytes = 1 << 20;

std::string without_bom(std::string text)
{
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
        text.erase(0, 3);
    }
    return text;
}

// The bounds in the header of the .shp beside the data file; nullopt when
// there is none, its header is not a shapefile's, or the box is empty (an
// empty file's header holds zeros).
std::optional<plane_box> shp_bounds(const std::string& base)
{
    namespace shp = zvk_file_shp;
    const auto path = foundation::find_companion(base, ".shp");
    foundation::file file;
    unsigned char header[shp::file_header_bytes];
    if (!path || !file.open(*path, foundation::file::access::read) ||
        !file.read_at(0, header, sizeof header) ||
        foundation::load_be<std::int32_t>(header) != shp::file_code) {
        return std::nullopt;
    }
    const unsigned char* at = header + shp::bounds_offset;
    const plane_box box{foundation::load_le<double>(at), foundation::load_le<double>(at + 8),
                        foundation::load_le<double>(at + 16), foundation::load_le<double>(at + 24)};
    const bool finite = std::isfinite(box.xmin) && std::isfinite(box.ymin) && std::isfinite(box.xmax) &&
                        std::isfinite(box.ymax);
    const bool zeros = box.xmin == 0 && box.ymin == 0 && box.xmax == 0 && box.ymax == 0;
    if (!finite || zeros || box.xmin > box.xmax || box.ymin > box.ymax) {
        return std::nullopt;
    }
    return box;
}

// The .prj's text as UTF-8 without a byte order mark; nullopt when it is
// missing, too large or not UTF-8.
std::optional<std::string> prj_text(const std::string& base)
{
    const auto path = foundation::find_companion(base, ".prj");
    auto bytes = path ? foundation::read_small_file(*path, kMaxPrjBytes) : std::nullopt;
    if (!bytes) {
        return std::nullopt;
    }
    const auto wide = foundation::to_utf16_strict(without_bom(std::move(*bytes)));
    if (!wide) {
        return std::nullopt;
    }
    return crs_text(wide->c_str());
}

} // namespace

std::optional<std::string> load_prj_definition(const std::u16string& data_path)
{
    const auto base = foundation::native_path(foundation::without_extension(std::u16string_view(data_path)));
    const auto definition = base ? prj_text(*base) : std::nullopt;
    if (!definition) {
        return std::nullopt;
    }
    auto& session = proj_session::instance();
    const auto system = session.read_prj(*definition);
    if (!system) {
        return std::nullopt;
    }
    // Only a system bound per extent needs the data's.
    return system->definition_for(session, system->binds_per_extent() ? shp_bounds(*base) : std::nullopt);
}

} // namespace zv::zvk_proj4_d2
