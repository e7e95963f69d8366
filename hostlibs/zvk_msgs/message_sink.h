// Where the host's message boxes go: the installed sink, else standard error.
#pragma once

#include "host/zvk_msgs.h"

#include <string>

namespace zv::msgs
{

// The line printed to standard error when no sink is installed, UTF-8 with a
// newline: "<Information|Warning|Error>: text".
std::string stderr_line(zv_msg_kind kind, const char16_t* text);

} // namespace zv::msgs
