// Case mapping from the case table; upper case is its inverse, built once.
#include "foundation/case_mapping.h"

#include "foundation/case_table.h"

#include <algorithm>
#include <array>

namespace zv::foundation
{
namespace
{

// Lower-case units whose upper case is not the inverse of the case table.
struct upper_extra {
    char16_t lower;
    char16_t upper;
};

constexpr upper_extra upper_extras[] = {
    {0x00B5, 0x039C},
    {0x0131, 0x0049},
    {0x017F, 0x0053},
    {0x03C2, 0x03A3},
};

// The inverse of lower_of, built once: the first upper-case unit that maps to
// a lower-case unit is its upper case (I before the dotted capital I).
struct upper_table {
    std::array<char16_t, 0x10000> upper{};
    upper_table()
    {
        for (std::size_t unit = 0; unit < upper.size(); ++unit)
            upper[unit] = static_cast<char16_t>(unit);
        std::array<bool, 0x10000> taken{};
        for (std::size_t unit = 0; unit < upper.size(); ++unit) {
            const char16_t lower = lower_of(static_cast<char16_t>(unit));
            if (lower == unit || taken[lower])
                continue;
            upper[lower] = static_cast<char16_t>(unit);
            taken[lower] = true;
        }
        for (const auto& extra : upper_extras)
            upper[extra.lower] = extra.upper;
    }
};

} // namespace

char16_t to_lower(char16_t unit) noexcept
{
    return lower_of(unit);
}

char16_t to_upper(char16_t unit) noexcept
{
    static const upper_table table;
    return table.upper[unit];
}

std::u16string to_lower(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& unit : out)
        unit = to_lower(unit);
    return out;
}

std::u16string to_upper(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& unit : out)
        unit = to_upper(unit);
    return out;
}

int compare_no_case(std::u16string_view a, std::u16string_view b) noexcept
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = to_upper(a[i]);
        const char16_t y = to_upper(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace zv::foundation
