#include "foundation/paths.h"
#include "foundation/utf.h"
#include "foundation/win32/wide_path.h"

namespace zv::foundation
{

// Windows takes both separators as they are.
std::optional<std::string> native_path(std::u16string_view path)
{
    return to_utf8_strict(path);
}

std::wstring win32::wide_path(const std::string& path)
{
    const auto wide = to_utf16_strict(path);
    if (!wide)
        return {};
    return std::wstring(reinterpret_cast<const wchar_t*>(wide->data()), wide->size());
}

} // namespace zv::foundation
