// Environment of the host process.
#pragma once

namespace zv::hostapp::platform
{

// Sets an environment variable of this process, replacing its value.
bool set_environment(const char* name, const char* value) noexcept;

} // namespace zv::hostapp::platform
