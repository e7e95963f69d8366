// Where the host's message boxes go: the installed sink, else standard error.
#pragma once

#include "host/zvk_msgs.h"

#include <string>

namespace zv::zvk_msgs
{

// The line printed to standard error when no sink is installed, UTF-8 with a
// newline: "<Information|Warning|Error>: text".
std::string stderr_line(zv_msg_kind kind, const char16_t* text);

// Installs the sink of every later message box; a null fn goes back to
// standard error.
void install_sink(zv_msgs_sink_fn fn, void* context) noexcept;

// Shows one message box: to the sink, else as a line on standard error. A
// null text is shown empty; a sink that throws loses the box.
void show(zv_msg_kind kind, const char16_t* text) noexcept;

} // namespace zv::zvk_msgs
