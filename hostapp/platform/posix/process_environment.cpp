#include "platform/process_environment.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace zv::hostapp::platform
{

bool set_environment(const char* name, const char* value) noexcept
{
    return ::setenv(name, value, 1) == 0;
}

bool unset_environment(const char* name) noexcept
{
    return ::unsetenv(name) == 0;
}

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string executable_path()
{
    // readlink does not say how long the link is: grow until it fits.
    for (std::size_t size = 256; size <= 65536; size *= 2) {
        std::vector<char> buffer(size);
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
    }
    return {};
}

} // namespace zv::hostapp::platform
