// The case table: lower_of gives the simple lower case of one UTF-16 unit
// (the unit itself when it has none). case_mapping builds on it.
#pragma once

namespace zv::foundation
{

char16_t lower_of(char16_t unit) noexcept;

} // namespace zv::foundation
