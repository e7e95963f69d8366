// Test files for the .pgrid tests: temporary folders and sample data.
#pragma once

#include "pgrid_format.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv::test
{

class pgrid_folder
{
  public:
    pgrid_folder();
    ~pgrid_folder();
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::u16string wide_path(const std::filesystem::path& path);
std::string read_bytes(const std::filesystem::path& path);
void write_bytes(const std::filesystem::path& path, const std::string& bytes);

// Three objects with one property of every stored type; captions in
// Cyrillic; the middle object is no-data in every property.
zv::pgrid::header sample_header();
std::vector<std::vector<double>> sample_columns();

} // namespace zv::test
