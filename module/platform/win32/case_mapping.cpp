// Case mapping on Windows: the system's own lower- and upper-casing of wide
// text, and the ordinal comparison without case that file names get.
#include "platform/case_mapping.h"

#include "platform/win32/wide.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace zv::platform
{
namespace
{

template <class Map> std::u16string mapped(std::u16string_view text, Map map)
{
    std::u16string out(text);
    for (std::size_t done = 0; done < out.size();) {
        const auto step = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, INT_MAX));
        map(win32::wide(out.data() + done), step);
        done += step;
    }
    return out;
}

} // namespace

char16_t to_lower(char16_t unit) noexcept
{
    wchar_t one = unit;
    CharLowerBuffW(&one, 1);
    return static_cast<char16_t>(one);
}

char16_t to_upper(char16_t unit) noexcept
{
    wchar_t one = unit;
    CharUpperBuffW(&one, 1);
    return static_cast<char16_t>(one);
}

std::u16string to_lower(std::u16string_view text)
{
    return mapped(text, CharLowerBuffW);
}

std::u16string to_upper(std::u16string_view text)
{
    return mapped(text, CharUpperBuffW);
}

int compare_no_case(std::u16string_view a, std::u16string_view b) noexcept
{
    if (a.size() > INT_MAX || b.size() > INT_MAX)
        return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
    const int order =
        CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                             reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()), TRUE);
    return order == CSTR_LESS_THAN ? -1 : order == CSTR_GREATER_THAN ? 1 : 0;
}

} // namespace zv::platform
