#include "dialog_element.h"

#include <algorithm>

namespace zv::hostapp
{
namespace
{

// Bounds on what the host believes of a module: a grid larger than this, a
// longer list, a deeper or larger tree is cut, so that no answer (a grid that
// contains itself, for one) can exhaust the host.
constexpr std::int32_t max_grid_side = 64;
constexpr std::int32_t max_items = 4096;
constexpr int max_depth = 16;
constexpr int max_elements = 10000;

std::int32_t bounded(std::int32_t value, std::int32_t limit)
{
    return std::clamp(value, 0, limit);
}

// Tells whether a button delivers any pixels, without keeping them.
class image_probe final : public thrice_interleaved_bytes_visitor_impl
{
  public:
    void visit(std::int32_t rows, std::int32_t, std::int32_t columns, std::int32_t, std::int32_t,
               std::int32_t, const std::uint8_t* data) override
    {
        seen = seen || (rows > 0 && columns > 0 && data != nullptr);
    }

    bool seen = false;
};

void attach_view(element_kind kind, const interface_ref& element, const interface_ref& view)
{
    switch (kind) {
    case element_kind::grid_layout:
        return call<&grid_layout_impl::attach_view>(element, view);
    case element_kind::groupbox:
        return call<&groupbox_impl::attach_view>(element, view);
    case element_kind::label:
        return call<&label_impl::attach_view>(element, view);
    case element_kind::output:
        return call<&output_impl::attach_view>(element, view);
    case element_kind::button:
        return call<&button_impl::attach_view>(element, view);
    case element_kind::dropdown:
        return call<&dropdown_impl::attach_view>(element, view);
    }
}

void read_grid(dialog_element& e)
{
    for (std::int32_t c = 0; c < e.columns; ++c)
        e.column_stretch[static_cast<std::size_t>(c)] = call<&grid_layout_impl::column_stretch>(e.element, c);
    for (std::int32_t r = 0; r < e.rows; ++r)
        e.row_stretch[static_cast<std::size_t>(r)] = call<&grid_layout_impl::row_stretch>(e.element, r);
}

void read_button(dialog_element& e)
{
    e.text = read_text<&button_impl::visit_text>(e.element);
    e.detail = read_text<&button_impl::visit_hint>(e.element);
    image_probe probe;
    call<&button_impl::visit_image>(e.element, make_ref<iface::thrice_interleaved_bytes_visitor>(&probe));
    e.has_image = probe.seen;
    e.enabled = call<&button_impl::enabled>(e.element);
    e.pressed = call<&button_impl::pressed>(e.element);
}

void read_dropdown(dialog_element& e)
{
    const std::int32_t count = bounded(call<&dropdown_impl::count>(e.element), max_items);
    e.items.clear();
    for (std::int32_t i = 0; i < count; ++i)
        e.items.push_back(read_text<&dropdown_impl::visit_item_text>(e.element, i));
    e.selection = call<&dropdown_impl::selection>(e.element);
    e.enabled = call<&dropdown_impl::enabled>(e.element);
}

// Fills one place of the tree with the element the module presents there.
class tree_builder final : public element_visitor_impl
{
  public:
    tree_builder(std::unique_ptr<dialog_element>& place, int depth, int& budget)
        : place_(&place), depth_(depth), budget_(&budget)
    {
    }

    void visit_grid_layout(interface_ref element) override
    {
        dialog_element* grid = put(element_kind::grid_layout, element);
        if (grid == nullptr)
            return;
        for (std::int32_t r = 0; r < grid->rows; ++r) {
            for (std::int32_t c = 0; c < grid->columns; ++c) {
                tree_builder child(grid->children[static_cast<std::size_t>(c + r * grid->columns)],
                                   depth_ + 1, *budget_);
                call<&grid_layout_impl::visit_cell>(element, c, r, child.self());
            }
        }
    }

    void visit_groupbox(interface_ref element) override
    {
        dialog_element* box = put(element_kind::groupbox, element);
        if (box == nullptr)
            return;
        box->children.resize(1);
        tree_builder content(box->children[0], depth_ + 1, *budget_);
        call<&groupbox_impl::visit_content>(element, content.self());
    }

    void visit_label(interface_ref element) override { put(element_kind::label, element); }
    void visit_output(interface_ref element) override { put(element_kind::output, element); }
    void visit_button(interface_ref element) override { put(element_kind::button, element); }
    void visit_dropdown(interface_ref element) override { put(element_kind::dropdown, element); }

    interface_ref self() { return make_ref<iface::element_visitor>(this); }

  private:
    dialog_element* put(element_kind kind, const interface_ref& element)
    {
        if (!element.valid() || depth_ > max_depth || *budget_ <= 0)
            return nullptr;
        --*budget_;
        place_->reset(); // the old picture lets go of its element first
        *place_ = std::make_unique<dialog_element>(kind, element);
        return place_->get();
    }

    std::unique_ptr<dialog_element>* place_;
    int depth_;
    int* budget_;
};

} // namespace

dialog_element::dialog_element(element_kind kind_, interface_ref element_) : kind(kind_), element(element_)
{
    if (kind == element_kind::grid_layout) {
        columns = bounded(call<&grid_layout_impl::column_count>(element), max_grid_side);
        rows = bounded(call<&grid_layout_impl::row_count>(element), max_grid_side);
        column_stretch.assign(static_cast<std::size_t>(columns), false);
        row_stretch.assign(static_cast<std::size_t>(rows), false);
        children.resize(static_cast<std::size_t>(columns * rows));
    }
    attach_view(kind, element, make_ref<iface::element_view>(this));
    refresh();
}

dialog_element::~dialog_element()
{
    children.clear();
    attach_view(kind, element, interface_ref{});
}

void dialog_element::refresh()
{
    switch (kind) {
    case element_kind::grid_layout:
        return read_grid(*this);
    case element_kind::groupbox:
        text = read_text<&groupbox_impl::visit_caption>(element);
        detail = read_text<&groupbox_impl::visit_second_text>(element);
        enabled = call<&groupbox_impl::enabled>(element);
        return;
    case element_kind::label:
        text = read_text<&label_impl::visit_text>(element);
        enabled = call<&label_impl::enabled>(element);
        return;
    case element_kind::output:
        text = read_text<&output_impl::visit_text>(element);
        detail = read_text<&output_impl::visit_caption>(element);
        enabled = call<&output_impl::enabled>(element);
        return;
    case element_kind::button:
        return read_button(*this);
    case element_kind::dropdown:
        return read_dropdown(*this);
    }
}

dialog_element* dialog_element::cell(std::int32_t column, std::int32_t row) const
{
    if (kind != element_kind::grid_layout || column < 0 || row < 0 || column >= columns || row >= rows)
        return nullptr;
    return children[static_cast<std::size_t>(column + row * columns)].get();
}

std::unique_ptr<dialog_element> read_element_tree(const std::function<void(interface_ref)>& present)
{
    std::unique_ptr<dialog_element> root;
    int budget = max_elements;
    tree_builder builder(root, 0, budget);
    if (present)
        present(builder.self());
    return root;
}

} // namespace zv::hostapp
