// Environment of the host process.
#ifndef ZV_HOSTAPP_PLATFORM_PROCESS_ENVIRONMENT_H
#define ZV_HOSTAPP_PLATFORM_PROCESS_ENVIRONMENT_H

namespace zv::hostapp::platform
{

// Sets an environment variable of this process, replacing its value.
bool set_environment(const char* name, const char* value) noexcept;

} // namespace zv::hostapp::platform

#endif
