// Code pages on Windows: the system's own conversions, with the flags the
// module's contract gives them (0: undefined bytes pass as the system maps
// them, unrepresentable characters become the default character).
#include "foundation/system_code_pages.h"

#include "foundation/utf.h"

#include <windows.h>

#include <climits>

namespace zv::foundation::system
{
namespace
{

bool known(unsigned code_page)
{
    return IsValidCodePage(code_page) != 0;
}

} // namespace

bool single_byte_units(unsigned code_page, char16_t (&units)[256])
{
    if (!known(code_page))
        return false;
    for (int byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        wchar_t unit = 0;
        units[byte] = MultiByteToWideChar(code_page, 0, &in, 1, &unit, 1) == 1 ? static_cast<char16_t>(unit)
                                                                               : replacement_character;
    }
    return true;
}

bool multi_byte_to_utf16(unsigned code_page, std::string_view text, std::u16string& out)
{
    out.clear();
    if (!known(code_page) || text.size() > INT_MAX)
        return false;
    if (text.empty())
        return true;
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
    out.resize(static_cast<std::size_t>(needed));
    return needed > 0 && MultiByteToWideChar(code_page, 0, text.data(), length,
                                             reinterpret_cast<wchar_t*>(out.data()), needed) == needed;
}

bool utf16_to_multi_byte(unsigned code_page, std::u16string_view text, std::string& out)
{
    out.clear();
    if (!known(code_page) || text.size() > INT_MAX)
        return false;
    if (text.empty())
        return true;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(code_page, 0, wide, length, nullptr, 0, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(needed));
    return needed > 0 &&
           WideCharToMultiByte(code_page, 0, wide, length, out.data(), needed, nullptr, nullptr) == needed;
}

unsigned native_ansi_code_page() noexcept
{
    return GetACP();
}

} // namespace zv::foundation::system
