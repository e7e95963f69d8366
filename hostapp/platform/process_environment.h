// Environment of the host process.
#pragma once

#include <string>

namespace zv::hostapp::platform
{

// Sets an environment variable of this process, replacing its value.
bool set_environment(const char* name, const char* value) noexcept;
// Removes it.
bool unset_environment(const char* name) noexcept;
// Its value; empty when it is not set.
std::string environment(const char* name);

// The full path of the running program's file; empty when the system does
// not tell.
std::string executable_path();

} // namespace zv::hostapp::platform
