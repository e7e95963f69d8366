// The zvhost command as a function, so that it can run inside a test.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "zvhost_api.h"

namespace zv::hostapp
{

// Exit statuses of the command.
enum exit_status : int {
    exit_ok = 0,
    exit_usage = 1,      // malformed command line
    exit_load_error = 2, // module not loadable, no entry, bad translation file
};

// Runs `zvhost` with `arguments` (without the program name); normal output
// goes to `out`, errors to `err`. Returns the exit status.
ZVHOST_API int run_command(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace zv::hostapp
