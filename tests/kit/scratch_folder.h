// A private folder for the files of one test, fuzz target or benchmark run
// of the host libraries, removed with everything in it at the end; and the
// few file and path helpers they all use. Header-only: the fuzz targets and the
// benchmark include it as well as the unit tests.
#pragma once

#include "foundation/utf.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace zv::test
{

// A path in UTF-8 (on Windows path::string() would give the ANSI code page).
inline std::string utf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A path from UTF-8 text.
inline std::filesystem::path path_of(const std::string& utf8_text)
{
    return std::filesystem::path(std::u8string(utf8_text.begin(), utf8_text.end()));
}

class scratch_folder
{
  public:
    // Every run gets a folder of its own: a random name, and creating a
    // folder fails when it exists, so concurrent runs never share one. When
    // no folder can be made, path() is empty and ok() false.
    explicit scratch_folder(const std::string& prefix = "zv_hostlib")
    {
        std::error_code error;
        const std::filesystem::path parent = std::filesystem::temp_directory_path(error);
        std::random_device random;
        for (int attempt = 0; !error && attempt < 100; ++attempt) {
            const std::filesystem::path candidate = parent / (prefix + "_" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate;
                return;
            }
        }
    }
    ~scratch_folder()
    {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    scratch_folder(const scratch_folder&) = delete;
    scratch_folder& operator=(const scratch_folder&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // A file's path in UTF-8, the narrow form of paths on every platform.
    std::string file(const std::string& name) const { return utf8(path_ / name); }

    // Names of the entries of the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        std::error_code ignored;
        for (const auto& e : std::filesystem::directory_iterator(path_, ignored)) {
            names.push_back(utf8(e.path().filename()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

// The whole content of a file; empty when it cannot be read.
inline std::string read_bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Writes bytes to a file, replacing it.
inline void write_bytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// UTF-8 to UTF-16 for paths and expected texts.
inline std::u16string u16(const std::string& utf8)
{
    return zv::foundation::to_utf16(utf8);
}

// A path as the module hands it over: UTF-16 with "\" between folders.
inline std::u16string backslashed(const std::string& utf8)
{
    std::u16string out = u16(utf8);
    std::replace(out.begin(), out.end(), u'/', u'\\');
    return out;
}

} // namespace zv::test
