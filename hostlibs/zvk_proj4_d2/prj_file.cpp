#include "prj_file.h"

#include "foundation/file.h"
#include "foundation/file_window.h"
#include "foundation/paths.h"
#include "foundation/utf.h"
#include "proj_session.h"

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

} // namespace

std::u16string prj_path(const std::u16string& data_path)
{
    return std::u16string(foundation::without_extension(std::u16string_view(data_path))) + u".prj";
}

std::optional<std::string> load_prj_definition(const std::u16string& data_path)
{
    const auto path = prj_path(data_path);
    auto bytes = foundation::read_small_file(foundation::native_path_or_empty(path.c_str()), kMaxPrjBytes);
    if (!bytes) {
        return std::nullopt;
    }
    const auto wide = foundation::to_utf16_strict(without_bom(std::move(*bytes)));
    if (!wide) {
        return std::nullopt;
    }
    auto& session = proj_session::instance();
    const pj_ptr crs = session.create_crs(crs_text(wide->c_str()));
    if (!crs) {
        return std::nullopt;
    }
    const char* text = proj_as_proj_string(session.context(), crs.get(), PJ_PROJ_4, nullptr);
    if (text == nullptr || *text == 0) {
        return std::nullopt;
    }
    return std::string(text);
}

} // namespace zv::zvk_proj4_d2
