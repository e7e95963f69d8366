// Case mapping on POSIX: the foundation's table, which the host libraries
// match file names with as well.
#include "platform/case_mapping.h"

#include "foundation/case_mapping.h"

namespace zv::platform
{

char16_t to_lower(char16_t unit) noexcept
{
    return foundation::to_lower(unit);
}

char16_t to_upper(char16_t unit) noexcept
{
    return foundation::to_upper(unit);
}

std::u16string to_lower(std::u16string_view text)
{
    return foundation::to_lower(text);
}

std::u16string to_upper(std::u16string_view text)
{
    return foundation::to_upper(text);
}

int compare_no_case(std::u16string_view a, std::u16string_view b) noexcept
{
    return foundation::compare_no_case(a, b);
}

} // namespace zv::platform
