// Running PROJ's own command-line programs (cs2cs, geod) as the independent
// reference for reprojection and length tests.
#pragma once

#include "captured_text.h"
#include "kit/scratch_folder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv::test
{

// Runs "program args < input" and returns its standard output; empty when
// the program cannot be run.
std::string run_with_input(const std::string& command, const std::string& input);

// The numbers on each output line of a PROJ tool.
std::vector<std::vector<double>> numbers_per_line(const std::string& output);

} // namespace zv::test
