// System facts on POSIX: the user from the password database (the login
// variables when it has no entry), the host name, the temporary folder from
// the usual variables, and unique temporary files made with mkstemp.
#include "platform/system_info.h"
#include "foundation/guard.h"

#include "foundation/paths.h"
#include "foundation/utf.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace zv::platform
{
namespace
{

std::u16string environment_value(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::u16string() : foundation::to_utf16(value);
}

std::u16string user_from_password_database()
{
    long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 4096);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (found == nullptr || found->pw_name == nullptr)
        return {};
    return foundation::to_utf16(found->pw_name);
}

} // namespace

std::u16string user_name() noexcept
{
    return foundation::guarded(std::u16string(), [&]() -> std::u16string {
        std::u16string name = user_from_password_database();
        if (name.empty())
            name = environment_value("USER");
        if (name.empty())
            name = environment_value("LOGNAME");
        return name;
    });
}

std::u16string computer_name() noexcept
{
    return foundation::guarded(std::u16string(), [&]() -> std::u16string {
        std::vector<char> buffer(256);
        if (::gethostname(buffer.data(), buffer.size() - 1) != 0)
            return {};
        buffer.back() = '\0';
        return foundation::to_utf16(buffer.data());
    });
}

std::u16string temp_directory() noexcept
{
    return foundation::guarded(std::u16string(), [&]() -> std::u16string {
        std::u16string folder;
        for (const char* variable : {"TMPDIR", "TMP", "TEMP"}) {
            folder = environment_value(variable);
            if (!folder.empty())
                break;
        }
        if (folder.empty())
            folder = u"/tmp";
        if (folder.back() != u'/' && folder.back() != u'\\')
            folder.push_back(u'/');
        return folder;
    });
}

std::u16string unique_temp_file(const std::u16string& directory, std::u16string_view prefix) noexcept
{
    return foundation::guarded(std::u16string(), [&]() -> std::u16string {
        if (directory.empty())
            return {};
        std::u16string pattern(directory);
        std::replace(pattern.begin(), pattern.end(), u'\\', u'/');
        if (pattern.back() != u'/')
            pattern.push_back(u'/');
        pattern.append(prefix);
        auto native = foundation::native_path(pattern);
        if (!native)
            return {};
        native->append("XXXXXX");
        const int fd = ::mkstemp(native->data());
        if (fd < 0)
            return {};
        ::close(fd);
        return foundation::to_utf16(*native);
    });
}

} // namespace zv::platform
