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
#include <string>
#include <string_view>
#include <vector>

namespace zv::test
{

class scratch_folder
{
  public:
    // mkdtemp gives every run a folder of its own, so concurrent runs never
    // share one. When it fails, path() is empty and ok() false.
    explicit scratch_folder(const std::string& prefix = "zv_hostlib")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "_XXXXXX")).string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
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
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Names of the entries of the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        std::error_code ignored;
        for (const auto& e : std::filesystem::directory_iterator(path_, ignored)) {
            names.push_back(e.path().filename().string());
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
