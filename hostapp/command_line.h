// The zvhost command line: its commands, options and usage text.
#pragma once

#include <string>
#include <vector>

#include "zvhost_api.h"

namespace zv::hostapp
{

// --set "KEY=VALUE": KEY is a label's text or "#N"; VALUE may hold "=".
struct ZVHOST_API setting {
    std::string key;
    std::string value;

    friend bool operator==(const setting&, const setting&) = default;
};

struct ZVHOST_API command_options {
    bool help = false;
    bool json = false;
    std::string lang;
    std::string translations_file;
    std::string module;  // --module, or list's MODULE; empty: the module beside the program
    std::string command; // "list", "show" or "run"
    std::string tool;
    std::vector<setting> settings; // in the order given
};

ZVHOST_API extern const char* const usage_text;

// Reads the command line (without the program name) into `options`. Returns
// what is wrong with it, or nothing.
ZVHOST_API std::string parse_command_line(const std::vector<std::string>& arguments,
                                          command_options& options);

// The module a command loads: the one named, else the module in ../lib
// relative to the folder of `program` (the running zvhost; on Windows that
// folder itself, where every DLL sits), so that a user
// never types the library's path.
ZVHOST_API std::string module_to_load(const command_options& options, const std::string& program);

} // namespace zv::hostapp
