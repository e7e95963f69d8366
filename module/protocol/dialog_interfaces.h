// Interfaces of dialogs: the modal dialog and its host view, the button box,
// the docker, the dialog elements the module implements, and the host's
// element visitor and element view through which the host reads and watches
// them. Elements take no part in the holder protocol: none has a `referent`.
#pragma once

#include <cstdint>

#include "protocol/glue.h"

namespace zv
{

namespace iface
{
struct modal_dialog;
struct modal_dialog_visitor;
struct modal_dialog_view;
struct button_box;
struct button_box_visitor;
struct docker;
struct docker_visitor;
struct bitmap;
struct bitmap_visitor;
struct masked_bitmap;
struct element_view;
struct element_visitor;
struct grid_layout;
struct groupbox;
struct label;
struct button;
struct output;
struct dropdown;
struct context_menu_visitor;
} // namespace iface

// --- the modal dialog service's dialog and the host's view of it ---

class modal_dialog_impl : public impl_root<iface::modal_dialog>
{
  public:
    virtual void attach_view(interface_ref /*modal_dialog_view*/) {}
};
ZV_INTERFACE(modal_dialog, "zv_modal_dialog_interface_101", 2, &modal_dialog_impl::attach_view);

class modal_dialog_visitor_impl : public impl_root<iface::modal_dialog_visitor>
{
  public:
    // `name` is null for the module's dialog.
    virtual void visit(const char16_t* /*name*/, interface_ref /*modal_dialog*/) {}
};
ZV_INTERFACE(modal_dialog_visitor, "zv_modal_dialog_visitor_interface_101", 2,
             &modal_dialog_visitor_impl::visit);

// The host's choosers. Every answer arrives through a string visitor; the
// filter index is the zero-based pair to preselect, which the host may change.
class modal_dialog_view_impl : public impl_root<iface::modal_dialog_view>
{
  public:
    virtual void choose_folder(const char16_t* /*initial*/, interface_ref /*result*/) {}
    virtual void choose_open_file(const char16_t* /*initial*/, const char16_t* /*filter*/,
                                  std::int32_t* /*filter_index*/, interface_ref /*result*/)
    {
    }
    virtual void choose_save_file(const char16_t* /*initial*/, const char16_t* /*filter*/,
                                  std::int32_t* /*filter_index*/, std::uint8_t /*flag*/,
                                  interface_ref /*result*/)
    {
    }
};
ZV_INTERFACE(modal_dialog_view, "zv_modal_dialog_view_interface_101", 10, unused_slots<2>{},
             &modal_dialog_view_impl::choose_folder, &modal_dialog_view_impl::choose_open_file,
             unused_slots<1>{}, &modal_dialog_view_impl::choose_save_file, unused_slots<3>{});

static_assert(slot_index<&modal_dialog_view_impl::choose_folder> == 3 &&
              slot_index<&modal_dialog_view_impl::choose_open_file> == 4 &&
              slot_index<&modal_dialog_view_impl::choose_save_file> == 6);

// --- the button box ---

class button_box_impl : public impl_root<iface::button_box>
{
  public:
    virtual void attach_first(interface_ref) {}
    virtual void attach_second(interface_ref) {}
    virtual std::int32_t count() { return 0; }
    virtual void visit_caption(std::int32_t /*index*/, interface_ref /*string_visitor*/) {}
    virtual bool enabled(std::int32_t /*index*/) { return false; }
    // Whether the dialog may close.
    virtual bool click(std::int32_t /*index*/) { return true; }
    virtual std::int32_t default_index() { return -1; }
    virtual std::int32_t second_index() { return -1; }
};
ZV_INTERFACE(button_box, "zv_button_box_interface_2", 9, &button_box_impl::attach_first,
             &button_box_impl::attach_second, &button_box_impl::count, &button_box_impl::visit_caption,
             &button_box_impl::enabled, &button_box_impl::click, &button_box_impl::default_index,
             &button_box_impl::second_index);

class button_box_visitor_impl : public impl_root<iface::button_box_visitor>
{
  public:
    virtual void visit(interface_ref /*button_box*/) {}
};
ZV_INTERFACE(button_box_visitor, "zv_button_box_visitor_interface_2", 2, &button_box_visitor_impl::visit);

// --- pictures ---

// A picture of fixed pixels, visited through a thrice_interleaved_bytes_visitor.
class bitmap_impl : public impl_root<iface::bitmap>
{
  public:
    virtual std::uint32_t width() { return 0; }
    virtual std::uint32_t height() { return 0; }
    virtual void pixels(interface_ref /*pixel_visitor*/) {}
};
ZV_INTERFACE(bitmap, "zv_bitmap_interface_0", 4, &bitmap_impl::width, &bitmap_impl::height,
             &bitmap_impl::pixels);

class bitmap_visitor_impl : public impl_root<iface::bitmap_visitor>
{
  public:
    // `bitmap` is valid during the call only.
    virtual void visit(interface_ref /*bitmap*/) {}
};
ZV_INTERFACE(bitmap_visitor, "zv_bitmap_visitor_interface_0", 2, &bitmap_visitor_impl::visit);

// An icon: colour and mask planes, each through a pixel visitor.
class masked_bitmap_impl : public impl_root<iface::masked_bitmap>
{
  public:
    virtual std::uint32_t hot_spot_x() { return 0; }
    virtual std::uint32_t hot_spot_y() { return 0; }
    virtual void colour(interface_ref /*pixel_visitor*/) {}
    virtual void mask(interface_ref /*pixel_visitor*/) {}
};
ZV_INTERFACE(masked_bitmap, "zv_masked_bitmap_interface_0", 5, &masked_bitmap_impl::hot_spot_x,
             &masked_bitmap_impl::hot_spot_y, &masked_bitmap_impl::colour, &masked_bitmap_impl::mask);

// --- the host's side of every element ---

// Told when an element changes after the host attached it: slot 2 after a
// flag or layout property, slot 3 after a text, a list or a selection.
class element_view_impl : public impl_root<iface::element_view>
{
  public:
    virtual void layout_changed() {}
    virtual void content_changed() {}
};
ZV_INTERFACE(element_view, "zv_element_view_interface_1", 4, unused_slots<1>{},
             &element_view_impl::layout_changed, &element_view_impl::content_changed);

// One slot per element kind; the module presents its elements through six.
class element_visitor_impl : public impl_root<iface::element_visitor>
{
  public:
    virtual void visit_grid_layout(interface_ref) {}
    virtual void visit_output(interface_ref) {}
    virtual void visit_button(interface_ref) {}
    virtual void visit_label(interface_ref) {}
    virtual void visit_dropdown(interface_ref) {}
    virtual void visit_groupbox(interface_ref) {}
};
ZV_INTERFACE(element_visitor, "zv_element_visitor_interface_92", 36, &element_visitor_impl::visit_grid_layout,
             unused_slots<12>{}, &element_visitor_impl::visit_output, unused_slots<2>{},
             &element_visitor_impl::visit_button, &element_visitor_impl::visit_label, unused_slots<5>{},
             &element_visitor_impl::visit_dropdown, &element_visitor_impl::visit_groupbox,
             unused_slots<10>{});

static_assert(slot_index<&element_view_impl::layout_changed> == 2 &&
              slot_index<&element_view_impl::content_changed> == 3);
static_assert(slot_index<&element_visitor_impl::visit_grid_layout> == 1 &&
              slot_index<&element_visitor_impl::visit_output> == 14 &&
              slot_index<&element_visitor_impl::visit_button> == 17 &&
              slot_index<&element_visitor_impl::visit_label> == 18 &&
              slot_index<&element_visitor_impl::visit_dropdown> == 24 &&
              slot_index<&element_visitor_impl::visit_groupbox> == 25);

// --- the docker and the elements ---

class docker_impl : public impl_root<iface::docker>
{
  public:
    virtual void visit_icon(interface_ref /*bitmap_visitor*/) {}
    virtual void visit_title(interface_ref /*string_visitor*/) {}
    virtual void visit_content(interface_ref /*element_visitor*/) {}
    virtual bool flag() { return true; }
    virtual std::int32_t value() { return -1; }
    virtual void attach_view(interface_ref) {}
};
ZV_INTERFACE(docker, "zv_docker_interface_92", 7, &docker_impl::visit_icon, &docker_impl::visit_title,
             &docker_impl::visit_content, &docker_impl::flag, &docker_impl::value, &docker_impl::attach_view);

class docker_visitor_impl : public impl_root<iface::docker_visitor>
{
  public:
    virtual void visit(const char16_t* /*internal_name*/, interface_ref /*docker*/) {}
};
ZV_INTERFACE(docker_visitor, "zv_docker_visitor_interface_91", 2, &docker_visitor_impl::visit);

class grid_layout_impl : public impl_root<iface::grid_layout>
{
  public:
    virtual std::int32_t layout_value() { return 0; }
    virtual std::int32_t column_count() { return 0; }
    virtual std::int32_t row_count() { return 0; }
    virtual std::int32_t reserved_1() { return 0; }
    virtual std::int32_t reserved_2() { return 0; }
    virtual bool column_stretch(std::int32_t /*column*/) { return false; }
    virtual bool row_stretch(std::int32_t /*row*/) { return false; }
    virtual std::int32_t column_value(std::int32_t /*column*/) { return 0; }
    virtual std::int32_t row_value(std::int32_t /*row*/) { return 0; }
    virtual bool column_flag(std::int32_t /*column*/) { return true; }
    virtual bool row_flag(std::int32_t /*row*/) { return true; }
    virtual void visit_cell(std::int32_t /*column*/, std::int32_t /*row*/, interface_ref /*element_visitor*/)
    {
    }
    virtual void attach_view(interface_ref) {}
};
ZV_INTERFACE(grid_layout, "zv_grid_layout_interface_91", 14, &grid_layout_impl::layout_value,
             &grid_layout_impl::column_count, &grid_layout_impl::row_count, &grid_layout_impl::reserved_1,
             &grid_layout_impl::reserved_2, &grid_layout_impl::column_stretch, &grid_layout_impl::row_stretch,
             &grid_layout_impl::column_value, &grid_layout_impl::row_value, &grid_layout_impl::column_flag,
             &grid_layout_impl::row_flag, &grid_layout_impl::visit_cell, &grid_layout_impl::attach_view);

class groupbox_impl : public impl_root<iface::groupbox>
{
  public:
    virtual void visit_caption(interface_ref /*string_visitor*/) {}
    virtual void visit_second_text(interface_ref /*string_visitor*/) {}
    virtual void visit_content(interface_ref /*element_visitor*/) {}
    virtual bool enabled() { return true; }
    virtual void attach_view(interface_ref) {}
};
ZV_INTERFACE(groupbox, "zv_groupbox_interface_92", 6, &groupbox_impl::visit_caption,
             &groupbox_impl::visit_second_text, &groupbox_impl::visit_content, &groupbox_impl::enabled,
             &groupbox_impl::attach_view);

class label_impl : public impl_root<iface::label>
{
  public:
    virtual bool enabled() { return true; }
    virtual void visit_text(interface_ref /*string_visitor*/) {}
    virtual void attach_view(interface_ref) {}
};
ZV_INTERFACE(label, "zv_label_interface_2", 4, &label_impl::enabled, &label_impl::visit_text,
             &label_impl::attach_view);

class context_menu_visitor_impl : public impl_root<iface::context_menu_visitor>
{
  public:
    virtual void visit(interface_ref /*context_menu*/) {}
};
ZV_INTERFACE(context_menu_visitor, "zv_context_menu_visitor_interface_3", 2,
             &context_menu_visitor_impl::visit);

class button_impl : public impl_root<iface::button>
{
  public:
    virtual void visit_image(interface_ref /*pixel_visitor*/) {}
    virtual void visit_text(interface_ref /*string_visitor*/) {}
    virtual void visit_hint(interface_ref /*string_visitor*/) {}
    virtual void visit_context_menu(interface_ref /*context_menu_visitor*/) {}
    virtual bool enabled() { return true; }
    virtual bool second_flag() { return false; }
    virtual bool pressed() { return false; }
    virtual bool third_flag() { return false; }
    virtual void click() {}
    virtual void attach_view(interface_ref) {}
};
ZV_INTERFACE(button, "zv_button_interface_4", 11, &button_impl::visit_image, &button_impl::visit_text,
             &button_impl::visit_hint, &button_impl::visit_context_menu, &button_impl::enabled,
             &button_impl::second_flag, &button_impl::pressed, &button_impl::third_flag, &button_impl::click,
             &button_impl::attach_view);

class output_impl : public impl_root<iface::output>
{
  public:
    virtual void visit_text(interface_ref /*string_visitor*/) {}
    virtual void visit_caption(interface_ref /*string_visitor*/) {}
    virtual bool enabled() { return true; }
    virtual std::int32_t width() { return 0; }
    virtual void attach_view(interface_ref) {}
};
ZV_INTERFACE(output, "zv_output_interface_2", 6, &output_impl::visit_text, &output_impl::visit_caption,
             &output_impl::enabled, &output_impl::width, &output_impl::attach_view);

class dropdown_impl : public impl_root<iface::dropdown>
{
  public:
    virtual std::int32_t count() { return 0; }
    virtual void visit_item_text(std::int32_t /*index*/, interface_ref /*string_visitor*/) {}
    virtual void reserved(interface_ref) {}
    virtual void visit_text(interface_ref /*string_visitor*/) {}
    virtual std::int32_t value() { return 0; }
    virtual bool enabled() { return true; }
    virtual std::int32_t selection() { return -1; }
    virtual void select(std::int32_t /*index*/) {}
    virtual void attach_view(interface_ref) {}
};
ZV_INTERFACE(dropdown, "zv_dropdown_interface_3", 10, &dropdown_impl::count, &dropdown_impl::visit_item_text,
             &dropdown_impl::reserved, &dropdown_impl::visit_text, &dropdown_impl::value,
             &dropdown_impl::enabled, &dropdown_impl::selection, &dropdown_impl::select,
             &dropdown_impl::attach_view);

} // namespace zv
