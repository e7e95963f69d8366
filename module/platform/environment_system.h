// What the environment queries ask of the operating system; the overrides
// of environment.h are applied in front of these, in environment.cpp. One
// implementation per platform.
#pragma once

#include "platform/environment.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv::platform::system
{

// The variable's value as the system holds it; nothing when it is unset or
// the name cannot name a variable.
std::optional<std::u16string> environment_variable(std::u16string_view name);
std::uint64_t thread_id() noexcept;
// Nothing when the system cannot tell.
std::optional<civil_time> utc_now() noexcept;
std::optional<civil_time> local_time(std::int64_t unix_seconds) noexcept;

} // namespace zv::platform::system
