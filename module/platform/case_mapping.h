// The platform's case mapping of UTF-16 text, and file-name comparison
// without regard to case. Nothing here throws but for allocation failures.
#pragma once

#include <string>
#include <string_view>

namespace zv::platform
{

// The platform's case mapping of one UTF-16 unit (Latin, Greek, Cyrillic,
// Armenian and the other bicameral scripts of the Basic Multilingual Plane);
// units without a case are returned unchanged.
char16_t to_lower(char16_t unit) noexcept;
char16_t to_upper(char16_t unit) noexcept;
std::u16string to_lower(std::u16string_view text);
std::u16string to_upper(std::u16string_view text);

// Case-insensitive ordinal comparison as the platform compares file names:
// both sides upper-cased unit by unit. Negative, zero or positive.
int compare_no_case(std::u16string_view a, std::u16string_view b) noexcept;

} // namespace zv::platform
