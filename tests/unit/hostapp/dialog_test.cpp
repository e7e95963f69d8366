// The host's picture of a dialog, its inputs and its renderings, over
// module-side stand-ins of the elements that answer their slots from fields
// and notify their views as the module's elements do.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_inputs.h"
#include "dialog_render.h"
#include "foundation/utf.h"
#include "protocol/visitors.h"

namespace zv::hostapp
{
namespace
{

void visit_text(const interface_ref& visitor, const std::u16string& text)
{
    if (!text.empty())
        call<&string_visitor_impl::visit>(visitor, text.c_str());
}

// What every stand-in shares: the view attached to it, and how it presents
// itself to an element visitor (through the slot of its kind).
using ev = element_visitor_impl;
using presenter = std::function<void(interface_ref)>;
template <class Impl, class Interface, auto Visit> struct fake : Impl {
    void attach_view(interface_ref v) override { view = v; }
    presenter show()
    {
        return [this](interface_ref v) { call<Visit>(v, make_ref<Interface>(static_cast<Impl*>(this))); };
    }
    interface_ref view;
};

struct fake_label : fake<label_impl, iface::label, &ev::visit_label> {
    explicit fake_label(std::u16string t) : text(std::move(t)) {}
    void visit_text(interface_ref v) override { zv::hostapp::visit_text(v, text); }
    bool enabled() override { return on; }
    void set_enabled(bool value)
    {
        on = value;
        call<&element_view_impl::layout_changed>(view);
    }
    std::u16string text;
    bool on = true;
};

struct fake_output : fake<output_impl, iface::output, &ev::visit_output> {
    void visit_text(interface_ref v) override { call<&string_visitor_impl::visit>(v, u""); }
};

struct fake_button : fake<button_impl, iface::button, &ev::visit_button> {
    void click() override { down = !down; }
    bool pressed() override { return down; }
    bool down = false;
};

struct fake_dropdown : fake<dropdown_impl, iface::dropdown, &ev::visit_dropdown> {
    std::int32_t count() override { return static_cast<std::int32_t>(items.size()); }
    void visit_item_text(std::int32_t i, interface_ref v) override
    {
        zv::hostapp::visit_text(v, items.at(i));
    }
    std::int32_t selection() override { return chosen; }
    void select(std::int32_t i) override { chosen = i; }
    void set_items(std::vector<std::u16string> list)
    {
        items = std::move(list);
        chosen = items.empty() ? -1 : 0;
        call<&element_view_impl::content_changed>(view);
    }
    std::vector<std::u16string> items;
    std::int32_t chosen = -1;
};

struct fake_grid : fake<grid_layout_impl, iface::grid_layout, &ev::visit_grid_layout> {
    fake_grid(std::int32_t r, std::int32_t c, std::vector<presenter> p)
        : rows(r), columns(c), cells(std::move(p))
    {
    }
    std::int32_t column_count() override { return columns; }
    std::int32_t row_count() override { return rows; }
    void visit_cell(std::int32_t c, std::int32_t r, interface_ref v) override
    {
        const auto at = static_cast<std::size_t>(c + r * columns);
        if (at < cells.size() && cells[at])
            cells[at](v);
    }
    std::int32_t rows, columns;
    std::vector<presenter> cells;
};

// A row as a tool's dialog lays it out: a labelled file input (a path and a
// browse button that opens no chooser) and two labelled drop-downs.
struct fake_row {
    fake_label file_label{u"Graph file:"}, x_label{u"X:"}, y_label{u"Y:"};
    fake_output path;
    fake_button browse;
    fake_dropdown x, y;
    fake_grid file{1, 2, {path.show(), browse.show()}};
    fake_grid root{
        1, 6, {file_label.show(), file.show(), x_label.show(), x.show(), y_label.show(), y.show()}};
    fake_row() { x.items = {u"depth", u"age"}; }
    std::unique_ptr<dialog_element> read() { return read_element_tree(root.show()); }
};

// A picture's name and title, a selected drop-down and a disabled button as
// text and as JSON; the tools' dialogs, in both forms, are the integration
// tests'.
TEST(DialogPicture, RendersTitlesSelectionsAndDisabledButtons)
{
    fake_row module;
    module.x.chosen = 0;
    const dialog_picture picture{u"tool \"1\"\n", u"Row", module.read(), {{u"OK", true}, {u"Cancel", false}}};
    EXPECT_EQ(render_text(picture),
              "Row\n===\nGraph file:  []  <...>  X:  {*depth* | age}  Y:  {}\n\n<OK>  <Cancel> (disabled)\n");
    const std::string json = render_json(picture);
    EXPECT_EQ(json.rfind(R"({"name":"tool \"1\"\u000a","title":"Row","content":{"kind":"grid_layout",)", 0),
              0u)
        << json;
    EXPECT_NE(json.find(R"("buttons":[{"text":"OK","enabled":true},{"text":"Cancel","enabled":false}]})"),
              std::string::npos)
        << json;
}

// The module's notifications reach the picture until it goes.
TEST(DialogPicture, FollowsTheModulesNotificationsAndDetachesWhenItGoes)
{
    fake_row module;
    std::unique_ptr<dialog_element> root = module.read();
    module.y.set_items({u"porosity"});
    module.x_label.set_enabled(false);
    EXPECT_EQ(root->cell(5, 0)->items, std::vector<std::u16string>{u"porosity"});
    EXPECT_EQ(root->cell(5, 0)->selection, 0);
    EXPECT_FALSE(root->cell(2, 0)->enabled);

    root.reset();
    EXPECT_FALSE(module.y.view.valid());
    EXPECT_FALSE(module.root.view.valid());
    module.y.set_items({}); // no view: nothing to tell
}

// Found by a label with or without its colon, "#N", and set as a user would:
// the integration tests, through the tools' dialogs; here what goes wrong.
TEST(DialogInputs, KeysThatNameNoInputAndValuesThatCannotBeSet)
{
    fake_row module;
    host_modal_dialog_view choosers;
    std::unique_ptr<dialog_element> root = module.read();
    std::vector<dialog_input> inputs = collect_inputs(*root);
    ASSERT_EQ(inputs.size(), 3u);
    EXPECT_EQ(inputs[2].label, u"Y:");
    for (const char16_t* key : {u"#0", u"#4", u"Z", u":"})
        EXPECT_EQ(find_input(inputs, key), nullptr) << foundation::to_utf8(key);
    EXPECT_EQ(set_input(inputs[0], u"/other.shp", choosers), "its browse button opened no chooser");
    EXPECT_TRUE(inputs[0].browse()->pressed);
    EXPECT_EQ(set_input(inputs[1], u"age", choosers), "");
    EXPECT_EQ(module.x.chosen, 1);
    EXPECT_EQ(inputs[1].element->selection, 1);
    EXPECT_EQ(set_input(inputs[1], u"mass", choosers), "it has no item 'mass' (its items: 'depth', 'age')");
    EXPECT_EQ(set_input(inputs[2], u"mass", choosers), "it has no item 'mass' (it has none)");
}

TEST(DialogPicture, BoundsWhatAModuleClaims)
{
    fake_label label{u"x"};
    fake_grid huge{-5, 1 << 30, {label.show()}};
    fake_grid loop{1, 2, {}};
    loop.cells = {loop.show(), loop.show()}; // contains itself
    std::unique_ptr<dialog_element> root = read_element_tree(huge.show());
    EXPECT_EQ(root->rows, 0);
    EXPECT_EQ(root->columns, 64);
    root = read_element_tree(loop.show());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(read_element_tree(nullptr), nullptr);
}

} // namespace
} // namespace zv::hostapp
