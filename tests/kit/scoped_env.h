// Sets or clears environment variables for one test and restores them after.
#pragma once

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
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        apply(name, value);
        return *this;
    }

  private:
    static void apply(const std::string& name, const std::optional<std::string>& value)
    {
#if defined(_WIN32)
        _putenv_s(name.c_str(), value ? value->c_str() : "");
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
