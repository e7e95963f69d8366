// The host's picture of a dialog's element tree, read through the elements'
// interfaces. Every element of the picture is also the host's view of its
// element: the module's notifications make it read that element again, so
// the picture follows what the module changes while the dialog is shown.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/dialog_interfaces.h"
#include "protocol/visitors.h"
#include "zvhost_api.h"

namespace zv::hostapp
{

// The element kinds the module presents. A file input is no kind of its own:
// it is a grid layout of an output and a button.
enum class element_kind { grid_layout, groupbox, label, output, button, dropdown };

// Attaches itself as the element's view and reads it; detaches on
// destruction, so the module's element must outlive it. Only one picture of
// an element may exist at a time (the element keeps one view).
struct ZVHOST_API dialog_element final : public element_view_impl {
    dialog_element(element_kind kind, interface_ref element);
    ~dialog_element() override;
    dialog_element(const dialog_element&) = delete;
    dialog_element& operator=(const dialog_element&) = delete;

    // Reads the element's own properties again (its children keep theirs).
    void refresh();

    void layout_changed() override { refresh(); }
    void content_changed() override { refresh(); }

    // The cell at (column, row) of a grid layout; null when empty or outside.
    dialog_element* cell(std::int32_t column, std::int32_t row) const;

    element_kind kind;
    interface_ref element;
    bool enabled = true;
    std::u16string text;   // label, output, button; a group box's caption
    std::u16string detail; // an output's caption, a button's hint, a group box's second text
    bool has_image = false;
    bool pressed = false;
    std::vector<std::u16string> items; // drop-down
    std::int32_t selection = -1;
    std::int32_t columns = 0; // grid layout, read once: the tree keeps its shape
    std::int32_t rows = 0;
    std::vector<bool> column_stretch;
    std::vector<bool> row_stretch;
    // A grid layout's cells, row-major, null when empty; a group box's content.
    std::vector<std::unique_ptr<dialog_element>> children;
};

// Reads the tree that `present` presents to the element visitor it is given
// (the docker's content operation, for one). Null when nothing was presented.
ZVHOST_API std::unique_ptr<dialog_element>
read_element_tree(const std::function<void(interface_ref)>& present);

// Reads a text that `Slot` of `element` hands to a string visitor given as
// its last argument; empty when nothing is visited.
template <auto Slot, class... A> std::u16string read_text(const interface_ref& element, A... args)
{
    std::u16string text;
    stdwstring_visitor visitor(text);
    call<Slot>(element, args..., make_ref<iface::string_visitor>(&visitor));
    return text;
}

} // namespace zv::hostapp
