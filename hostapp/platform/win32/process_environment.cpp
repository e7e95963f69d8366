// The host's environment on Windows. The C run-time keeps its own copy of
// the environment beside the system's; _wputenv_s sets both, so getenv in
// the host libraries and GetEnvironmentVariableW in the module agree. Names
// and values are UTF-8 here and UTF-16 there.
#include "platform/process_environment.h"

#include "foundation/utf.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace zv::hostapp::platform
{
namespace
{

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");

const wchar_t* wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::string utf8(const wchar_t* text, std::size_t length)
{
    return foundation::to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

// An empty value removes the variable.
bool put(const char* name, const char* value) noexcept
{
    try {
        return _wputenv_s(wide(foundation::to_utf16(name)), wide(foundation::to_utf16(value))) == 0;
    } catch (...) {
        return false;
    }
}

} // namespace

bool set_environment(const char* name, const char* value) noexcept
{
    return *value != '\0' && put(name, value);
}

bool unset_environment(const char* name) noexcept
{
    return put(name, "");
}

std::string environment(const char* name)
{
    const wchar_t* value = _wgetenv(wide(foundation::to_utf16(name)));
    return value != nullptr ? utf8(value, wcslen(value)) : std::string();
}

std::string executable_path()
{
    // GetModuleFileNameW does not say how long the path is: grow until it fits.
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (n == 0)
            return {};
        if (n < size)
            return utf8(buffer.data(), n);
    }
    return {};
}

} // namespace zv::hostapp::platform
