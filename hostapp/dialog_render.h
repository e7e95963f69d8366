// A dialog picture as text: as a user sees it, or as JSON for scripts.
#pragma once

#include <string>

#include "tool_dialog.h"

namespace zv::hostapp
{

// The title, underlined; the elements row by row, the cells of a row side by
// side: a label as its text, an output as [text], a button as <text> (<...>
// without a text: a picture's), a drop-down as {item | *selected item* | item}, a
// group box as its caption between dashes with its content indented; then
// the button box's buttons. A disabled element is followed by "(disabled)".
// UTF-8, one line per row, each ending in a line break.
ZVHOST_API std::string render_text(const dialog_picture& picture);

// The same as one JSON object (UTF-8, one line):
//   {"name", "title", "content": element or null, "buttons": [{"text", "enabled"}]}
// with an element one of
//   {"kind": "grid_layout", "columns", "rows", "column_stretch": [bool],
//    "row_stretch": [bool], "cells": [[element or null, ...] per row]}
//   {"kind": "groupbox", "caption", "second_text", "enabled", "content"}
//   {"kind": "label", "text", "enabled"}
//   {"kind": "output", "text", "caption", "enabled"}
//   {"kind": "button", "text", "hint", "image", "pressed", "enabled"}
//   {"kind": "dropdown", "items": [text], "selection", "enabled"}
ZVHOST_API std::string render_json(const dialog_picture& picture);

} // namespace zv::hostapp
