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
    exit_ok = 0,          // done; run: the dialog closed
    exit_dialog_open = 1, // run: the dialog stayed open
    exit_usage = 2,       // malformed command line
    exit_load_error = 2,  // module or translation file not loadable; tool, input or item not found
};

// Runs `zvhost` with `arguments` (without the program name); normal output
// goes to `out`, errors to `err`. Returns the exit status.
ZVHOST_API int run_command(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace zv::hostapp
