#include "file_ops.h"

#include "foundation/file.h"
#include "foundation/file_window.h"
#include "foundation/paths.h"
#include "foundation/utf.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace zv::gc
{
namespace
{

bool is_separator(char c)
{
#if defined(_WIN32)
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

struct file_closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::optional<std::string> path_from_utf16(const char16_t* path)
{
    if (path == nullptr || *path == 0 || !foundation::is_well_formed(path))
        return std::nullopt;
    return foundation::native_path_or_empty(path);
}

std::string strip_extension(const std::string& path)
{
    std::size_t name = path.size();
    while (name > 0 && !is_separator(path[name - 1]))
        --name;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= name)
        return path;
    return path.substr(0, dot);
}

bool file_exists(const std::string& path)
{
    std::unique_ptr<std::FILE, file_closer> f(std::fopen(path.c_str(), "rb"));
    return f != nullptr;
}

std::optional<std::string> find_companion(const std::string& base, const char* ext)
{
    std::string lower = base + ext;
    if (file_exists(lower))
        return lower;
    std::string upper = base;
    for (const char* c = ext; *c != 0; ++c)
        upper += (*c >= 'a' && *c <= 'z') ? static_cast<char>(*c - 'a' + 'A') : *c;
    if (file_exists(upper))
        return upper;
    return std::nullopt;
}

std::optional<std::string> read_file(const std::string& path, std::size_t max_bytes)
{
    return foundation::read_small_file(path, max_bytes);
}

bool write_file(const std::string& path, const std::string& content)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok)
        std::remove(path.c_str());
    return ok;
}

std::string temporary_base(const std::string& base)
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        std::string candidate =
            base + "~zvtmp" + std::to_string(stamp % 1000000007) + "_" + std::to_string(++counter);
        if (!file_exists(candidate + ".shp") && !file_exists(candidate + ".shx") &&
            !file_exists(candidate + ".dbf"))
            return candidate;
    }
}

bool replace_file(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void remove_file(const std::string& path)
{
    // Only files: a folder of the same name is not ours to delete.
    std::error_code ec;
    if (std::filesystem::is_regular_file(std::filesystem::path(path), ec))
        std::filesystem::remove(std::filesystem::path(path), ec);
}

} // namespace zv::gc
