// Test files for the .pgrid tests: sample data (folders and file helpers:
// scratch_folder.h).
#pragma once

#include "kit/scratch_folder.h"
#include "pgrid_format.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv::test
{

std::u16string wide_path(const std::filesystem::path& path);

// Three objects with one property of every stored type; captions in
// Cyrillic; the middle object is no-data in every property.
zv::zvk_file_tos4::header sample_header();
std::vector<std::vector<double>> sample_columns();

} // namespace zv::test
