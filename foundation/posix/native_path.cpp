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

} // namespace zv::foundation
