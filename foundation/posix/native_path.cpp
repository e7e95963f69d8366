#include "foundation/paths.h"
#include "foundation/utf.h"

#include <algorithm>

namespace zv::foundation
{

std::optional<std::string> native_path(std::u16string_view path)
{
    auto native = to_utf8_strict(path);
    if (native)
        std::replace(native->begin(), native->end(), '\\', '/');
    return native;
}

std::string native_path_or_empty(const char16_t* path)
{
    return path == nullptr ? std::string() : native_path(path).value_or(std::string());
}

} // namespace zv::foundation
