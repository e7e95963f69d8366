// The case table of the POSIX platform layer: lower_of gives the lower case
// of one UTF-16 unit (the unit itself when it has none).
#pragma once

namespace zv::platform
{

char16_t lower_of(char16_t unit) noexcept;

} // namespace zv::platform
