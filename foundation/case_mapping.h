// Case mapping of UTF-16 text from our own table, and comparison without
// regard to case as Windows compares file names (both sides upper-cased
// unit by unit). The module's platform layer answers with it on POSIX, and
// the host libraries match file names with it. Nothing here throws but for
// allocation failures.
#pragma once

#include <string>
#include <string_view>

namespace zv::foundation
{

// The simple case mapping of one UTF-16 unit (Latin, Greek, Cyrillic,
// Armenian and the other bicameral scripts of the Basic Multilingual Plane);
// units without a case are returned unchanged.
char16_t to_lower(char16_t unit) noexcept;
char16_t to_upper(char16_t unit) noexcept;
std::u16string to_lower(std::u16string_view text);
std::u16string to_upper(std::u16string_view text);

// Ordinal comparison of the upper-cased texts: negative, zero or positive.
int compare_no_case(std::u16string_view a, std::u16string_view b) noexcept;

} // namespace zv::foundation
