// The host's environment on Windows. The C run-time keeps its own copy of
// the environment beside the system's; _wputenv_s sets both, so getenv in
// the host libraries and GetEnvironmentVariableW in the module agree.
#include "platform/process_environment.h"

#include "foundation/utf.h"

#include <cstdlib>

namespace zv::hostapp::platform
{

bool set_environment(const char* name, const char* value) noexcept
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");
    try {
        const std::u16string wide_name = foundation::to_utf16(name);
        const std::u16string wide_value = foundation::to_utf16(value);
        return _wputenv_s(reinterpret_cast<const wchar_t*>(wide_name.c_str()),
                          reinterpret_cast<const wchar_t*>(wide_value.c_str())) == 0;
    } catch (...) {
        return false;
    }
}

} // namespace zv::hostapp::platform
