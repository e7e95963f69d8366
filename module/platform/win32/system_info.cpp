// System facts on Windows: the user's and computer's names (the size asked
// first), the temporary folder and unique files made by GetTempFileNameW.
#include "platform/system_info.h"

#include "foundation/guard.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <lmcons.h>

namespace zv::platform
{
namespace
{

// A name that a Get...NameW function writes into a buffer: asked first with
// no room for the needed size, then fetched.
template <class Get> std::u16string fetched_name(Get get)
{
    DWORD size = 0;
    get(nullptr, &size);
    if (size == 0)
        return {};
    std::u16string name(size, u'\0');
    if (!get(win32::wide(name.data()), &size))
        return {};
    // GetUserNameW counts the terminating zero, GetComputerNameW does not.
    name.resize(std::char_traits<char16_t>::length(name.c_str()));
    return name;
}

} // namespace

std::u16string user_name() noexcept
{
    return foundation::guarded(std::u16string(), [] { return fetched_name(GetUserNameW); });
}

std::u16string computer_name() noexcept
{
    return foundation::guarded(std::u16string(), [] { return fetched_name(GetComputerNameW); });
}

std::u16string temp_directory() noexcept
{
    return foundation::guarded(std::u16string(), []() -> std::u16string {
        wchar_t buffer[MAX_PATH + 1];
        const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
        if (length == 0 || length > MAX_PATH)
            return {};
        return win32::from_wide(buffer, length);
    });
}

std::u16string unique_temp_file(const std::u16string& directory, std::u16string_view prefix) noexcept
{
    return foundation::guarded(std::u16string(), [&]() -> std::u16string {
        if (directory.empty())
            return {};
        const std::u16string start(prefix);
        wchar_t made[MAX_PATH];
        if (GetTempFileNameW(win32::wide(directory), win32::wide(start), 0, made) == 0)
            return {};
        return win32::from_wide(made, wcslen(made));
    });
}

} // namespace zv::platform
