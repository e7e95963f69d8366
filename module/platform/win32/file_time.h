// Windows file times (100-nanosecond ticks since 1601-01-01 UTC) and Unix
// seconds.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zv::platform::win32
{

// Ticks from 1601-01-01 to 1970-01-01.
inline constexpr std::int64_t unix_epoch_ticks = 116444736000000000;
inline constexpr std::int64_t ticks_per_second = 10000000;

inline std::int64_t unix_seconds(const FILETIME& time) noexcept
{
    const std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    const std::int64_t since_epoch = ticks - unix_epoch_ticks;
    // Whole seconds, rounded down also before 1970.
    return since_epoch >= 0 ? since_epoch / ticks_per_second
                            : -((-since_epoch + ticks_per_second - 1) / ticks_per_second);
}

// False for a time before 1601.
inline bool to_file_time(std::int64_t unix_seconds, FILETIME& out) noexcept
{
    const std::int64_t ticks = unix_seconds * ticks_per_second + unix_epoch_ticks;
    if (ticks < 0)
        return false;
    out.dwLowDateTime = static_cast<DWORD>(ticks);
    out.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
    return true;
}

} // namespace zv::platform::win32
