// Handing UTF-8 text to a string adapter of the host. Header-only: only the
// host libraries that deliver text this way link zvk_basic for the adapter.
#pragma once

#include "foundation/utf.h"
#include "host/zvk_basic.h"

#include <string_view>

namespace zv::zvk_basic
{

// Assigns the UTF-16 form of utf8 to the adapter; false (adapter untouched)
// when the bytes are not well-formed UTF-8.
inline bool assign_utf8(zv_string_adp_t adapter, std::string_view utf8)
{
    const auto wide = foundation::to_utf16_strict(utf8);
    if (!wide) {
        return false;
    }
    zv_string_adp_assign_w(adapter, wide->c_str());
    return true;
}

} // namespace zv::zvk_basic
