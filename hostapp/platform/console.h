// The command line and standard streams of the host program.
#pragma once

#include <string>
#include <vector>

#include "zvhost_api.h"

namespace zv::hostapp::platform
{

// The program's arguments (without its name) in UTF-8, whatever code page
// the system hands narrow arguments in.
ZVHOST_API std::vector<std::string> utf8_arguments(int argc, char** argv);

// Makes standard output and error carry bytes as written: a line ends with
// "\n" on every platform.
ZVHOST_API void use_binary_streams() noexcept;

} // namespace zv::hostapp::platform
