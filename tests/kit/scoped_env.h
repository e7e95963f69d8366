// Sets or clears environment variables for one test and restores them after.
// Names and values are UTF-8.
#pragma once

#include "foundation/utf.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zv::test
{

class scoped_env
{
  public:
    scoped_env() = default;
    scoped_env(const scoped_env&) = delete;
    scoped_env& operator=(const scoped_env&) = delete;
    ~scoped_env()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            apply(it->first, it->second);
    }

    // value nullopt clears the variable.
    scoped_env& set(const std::string& name, std::optional<std::string> value)
    {
        saved_.emplace_back(name, current(name));
        apply(name, value);
        return *this;
    }

  private:
    static std::optional<std::string> current(const std::string& name)
    {
#if defined(_WIN32)
        const std::u16string wide_name = zv::foundation::to_utf16(name);
        const wchar_t* old = _wgetenv(reinterpret_cast<const wchar_t*>(wide_name.c_str()));
        if (old == nullptr)
            return std::nullopt;
        return zv::foundation::to_utf8(
            std::u16string_view(reinterpret_cast<const char16_t*>(old), wcslen(old)));
#else
        const char* old = std::getenv(name.c_str());
        return old ? std::optional<std::string>(old) : std::nullopt;
#endif
    }

    static void apply(const std::string& name, const std::optional<std::string>& value)
    {
#if defined(_WIN32)
        // Names and values are UTF-8 here as on POSIX; Windows keeps UTF-16.
        const std::u16string wide_name = zv::foundation::to_utf16(name);
        const std::u16string wide_value = zv::foundation::to_utf16(value.value_or(""));
        _wputenv_s(reinterpret_cast<const wchar_t*>(wide_name.c_str()),
                   reinterpret_cast<const wchar_t*>(wide_value.c_str()));
#else
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
#endif
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace zv::test
