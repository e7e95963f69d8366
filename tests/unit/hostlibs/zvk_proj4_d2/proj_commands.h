// PROJ's command-line programs (cs2cs, geod) as independent references for
// the library's results.
#pragma once

#include "host/zvk_prg.h"
#include "kit/command.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace zv::test
{

using rows = std::vector<std::vector<double>>;

// WGS84 as the profile tool asks for it, longitudes wrapped around 45.
inline const char16_t* const kWgs84 = u"+proj=longlat +datum=WGS84 +ellps=WGS84 +lon_wrap=45 +no_defs";

inline std::string narrow(const std::u16string& ascii)
{
    return std::string(ascii.begin(), ascii.end());
}

// The numbers on each output line of a PROJ tool given the points as input.
inline rows proj_numbers(const std::string& command, const std::vector<zv_vertex_d2>& points)
{
    std::string input;
    char buffer[80];
    for (const auto& p : points) {
        std::snprintf(buffer, sizeof buffer, "%.12f %.12f\n", p.x, p.y);
        input += buffer;
    }
    rows lines;
    for (const std::string& line : lines_of(run_command(command, input).output)) {
        std::istringstream words(line);
        lines.emplace_back();
        for (double value = 0.0; words >> value;)
            lines.back().push_back(value);
    }
    return lines;
}

} // namespace zv::test
