// Helpers of the shapefile and table tests: running the
// independent readers and writers (pyshp, shapelib's command-line tools),
// and a scoped environment variable (with captured_text.h and
// scratch_folder.h).
#pragma once

#include "captured_text.h"
#include "kit/scratch_folder.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace zv::test
{

// Runs a shell command; its standard output, or nothing when it failed.
inline std::optional<std::string> run(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    return ::pclose(pipe) == 0 ? std::optional<std::string>(out) : std::nullopt;
}

inline std::string quoted(const std::string& s)
{
    std::string out = "'";
    for (const char c : s) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

// Runs a Python script (with pyshp importable) with arguments.
// The script lives in a folder of its own, so it never shows up among the
// files a test looks at.
inline std::optional<std::string> run_python(const std::string& script,
                                             const std::vector<std::string>& args = {})
{
    const scratch_folder folder;
    const std::string file = folder.file("script.py");
    write_bytes(file, script);
    std::string command = quoted(ZV_PYTHON) + " " + quoted(file);
    for (const auto& a : args) {
        command += " " + quoted(a);
    }
    return run(command);
}

// Sets an environment variable for the life of the object.
class scoped_env
{
  public:
    scoped_env(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value, 1);
    }
    ~scoped_env()
    {
        if (old_) {
            ::setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }
    scoped_env(const scoped_env&) = delete;
    scoped_env& operator=(const scoped_env&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace zv::test
