// POSIX: arguments are bytes already (UTF-8 under a UTF-8 locale), streams
// never translate line ends.
#include "platform/console.h"

namespace zv::hostapp::platform
{

std::vector<std::string> utf8_arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

void use_binary_streams() noexcept {}

} // namespace zv::hostapp::platform
