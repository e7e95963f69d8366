// PROJ's own command-line programs (cs2cs, geod), run through the test kit,
// are the independent reference for reprojection and length tests.
#pragma once

#include "captured_text.h"
#include "kit/command.h"
#include "kit/scratch_folder.h"

#include <sstream>
#include <string>
#include <vector>

namespace zv::test
{

// The numbers on each output line of a PROJ tool run on `input`.
inline std::vector<std::vector<double>> proj_numbers(const std::string& command, const std::string& input)
{
    std::vector<std::vector<double>> lines;
    for (const std::string& line : lines_of(run_command(command, input).output)) {
        std::istringstream words(line);
        std::vector<double> numbers;
        for (double value = 0.0; words >> value;)
            numbers.push_back(value);
        lines.push_back(numbers);
    }
    return lines;
}

} // namespace zv::test
