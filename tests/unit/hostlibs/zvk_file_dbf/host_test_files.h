// Helpers of the shapefile and table tests: a temporary folder, running the
// independent readers and writers (pyshp, shapelib's command-line tools),
// string adapters that capture what a host function delivers, and a scoped
// environment variable.
#ifndef ZV_TESTS_HOSTLIBS_HOST_TEST_FILES_H
#define ZV_TESTS_HOSTLIBS_HOST_TEST_FILES_H

#include "host/zvk_basic.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace zv::test {

class temp_folder {
public:
    temp_folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zv_hostlib_XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~temp_folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Names of the entries of the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

// UTF-8 to UTF-16 for paths and expected texts.
inline std::u16string u16(const std::string& utf8)
{
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = c;
        std::size_t n = 1;
        if (c >= 0xF0) {
            cp = c & 0x07;
            n = 4;
        } else if (c >= 0xE0) {
            cp = c & 0x0F;
            n = 3;
        } else if (c >= 0xC0) {
            cp = c & 0x1F;
            n = 2;
        }
        for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += n;
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

// A path as the module hands it over: UTF-16 with "\" between folders.
inline std::u16string backslashed(const std::string& utf8)
{
    std::u16string out = u16(utf8);
    std::replace(out.begin(), out.end(), u'/', u'\\');
    return out;
}

inline std::string read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void write_bytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

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
    const temp_folder folder;
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
