// The inputs of a dialog as a user finds and fills them: a file input (a grid
// layout of a path output and a browse button) or a drop-down, known by the
// text of the label in the cell before it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dialog_element.h"
#include "modal_dialog_view.h"

namespace zv::hostapp
{

enum class input_kind { file, choice };

struct ZVHOST_API dialog_input {
    input_kind kind;
    std::u16string label;    // empty when the cell before holds no label
    dialog_element* element; // the file input's grid layout, or the drop-down

    // A file input's path output and browse button.
    dialog_element* path() const;
    dialog_element* browse() const;
};

// The inputs in reading order: rows top to bottom, cells left to right, a
// group box's content where the box stands.
ZVHOST_API std::vector<dialog_input> collect_inputs(dialog_element& root);

// The input that `key` names: a label's text (the colon that ends a label may
// be left out), or "#N", the N-th input counted from 1. Null when none.
ZVHOST_API dialog_input* find_input(std::vector<dialog_input>& inputs, std::u16string_view key);

// Gives the input `value` as a user does: presses a file input's browse
// button and answers the chooser with `value`; chooses the drop-down item
// whose text is `value`. Returns what went wrong (UTF-8), or nothing.
ZVHOST_API std::string set_input(const dialog_input& input, std::u16string_view value,
                                 host_modal_dialog_view& choosers);

} // namespace zv::hostapp
