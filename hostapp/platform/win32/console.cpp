// Windows: the arguments come from the wide command line (narrow ones are in
// the ANSI code page and lose what it cannot hold); the streams are switched
// from text mode, which would write "\r\n", to binary.
#include "platform/console.h"

#include "foundation/utf.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace zv::hostapp::platform
{

std::vector<std::string> utf8_arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(foundation::to_utf8(
            std::u16string_view(reinterpret_cast<const char16_t*>(wide[i]), wcslen(wide[i]))));
    LocalFree(wide);
    return arguments;
}

void use_binary_streams() noexcept
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace zv::hostapp::platform
