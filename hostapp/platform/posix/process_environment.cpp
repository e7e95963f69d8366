#include "platform/process_environment.h"

#include <cstdlib>

namespace zv::hostapp::platform
{

bool set_environment(const char* name, const char* value) noexcept
{
    return ::setenv(name, value, 1) == 0;
}

} // namespace zv::hostapp::platform
