// Helpers of the shapefile and table tests: running the
// independent readers and writers (pyshp, shapelib's command-line tools),
// string adapters that capture what a host function delivers, and a scoped
// environment variable.
#ifndef ZV_TESTS_HOSTLIBS_HOST_TEST_FILES_H
#define ZV_TESTS_HOSTLIBS_HOST_TEST_FILES_H

#include "host/zvk_basic.h"
#include "scratch_folder.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace zv::test {

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

// Captures what a host function delivers through an adapter.
class captured_text {
public:
    captured_text() : handle_(zv_string_adp_create(&narrow_cb, &wide_cb, this)) {}
    ~captured_text() { zv_string_adp_destroy(handle_); }
    captured_text(const captured_text&) = delete;
    captured_text& operator=(const captured_text&) = delete;

    zv_string_adp_t handle() const { return handle_; }
    const std::u16string& wide() const { return wide_; }
    const std::string& narrow() const { return narrow_; }
    int calls() const { return calls_; }

private:
    static void narrow_cb(const char* text, void* self)
    {
        auto* me = static_cast<captured_text*>(self);
        me->narrow_ = text != nullptr ? text : "";
        ++me->calls_;
    }
    static void wide_cb(const char16_t* text, void* self)
    {
        auto* me = static_cast<captured_text*>(self);
        me->wide_ = text != nullptr ? std::u16string(text) : std::u16string();
        ++me->calls_;
    }

    zv_string_adp_t handle_;
    std::u16string wide_;
    std::string narrow_;
    int calls_ = 0;
};

// Sets an environment variable for the life of the object.
class scoped_env {
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

#endif
