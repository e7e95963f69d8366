// The environment on Windows: the process's wide environment block, the
// thread identifier, and the system's UTC and local times.
#include "platform/environment_system.h"

#include "platform/win32/file_time.h"
#include "platform/win32/wide.h"

#include <windows.h>

namespace zv::platform
{
namespace
{

civil_time civil_of(const SYSTEMTIME& t)
{
    return civil_time{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

} // namespace

std::optional<std::u16string> system::environment_variable(std::u16string_view name)
{
    if (name.empty() || name.find(u'=') != std::u16string_view::npos ||
        name.find(u'\0') != std::u16string_view::npos)
        return std::nullopt;
    const std::u16string key(name);
    // The size asked first includes the terminating zero; 0 means unset.
    const DWORD needed = GetEnvironmentVariableW(win32::wide(key), nullptr, 0);
    if (needed == 0)
        return std::nullopt;
    std::u16string value(needed, u'\0');
    const DWORD got = GetEnvironmentVariableW(win32::wide(key), win32::wide(value.data()), needed);
    if (got >= needed)
        return std::nullopt; // changed in between
    value.resize(got);
    return value;
}

std::uint64_t system::thread_id() noexcept
{
    return GetCurrentThreadId();
}

std::optional<civil_time> system::utc_now() noexcept
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return civil_of(now);
}

std::optional<civil_time> system::local_time(std::int64_t unix_seconds) noexcept
{
    FILETIME file_time{};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!win32::to_file_time(unix_seconds, file_time) || !FileTimeToSystemTime(&file_time, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::nullopt;
    return civil_of(local);
}

} // namespace zv::platform
