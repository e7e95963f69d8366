// The pgrid command: "info", "from-csv" and "to-csv".
#pragma once

#include "pgrid_format.h"

#include <ostream>
#include <string>
#include <vector>

namespace zv::zvk_file_tos4
{

// Runs the command whose arguments follow the program name; writes results
// to out and complaints to err. Returns the process exit code: 0 on success,
// 1 when the input is refused, 2 for a usage error.
int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text of one stored value in CSV; empty for no-data.
std::string value_text(const property_info& property, double stored);

} // namespace zv::zvk_file_tos4
