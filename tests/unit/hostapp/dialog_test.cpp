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

struct fake_label : label_impl {
    explicit fake_label(std::u16string t) : text(std::move(t)) {}
    void visit_text(interface_ref v) override { zv::hostapp::visit_text(v, text); }
    bool enabled() override { return on; }
    void attach_view(interface_ref v) override { view = v; }
    void set_enabled(bool value)
    {
        on = value;
        call<&element_view_impl::layout_changed>(view);
    }
    std::u16string text;
    bool on = true;
    interface_ref view;
};

struct fake_output : output_impl {
    void visit_text(interface_ref v) override { call<&string_visitor_impl::visit>(v, text.c_str()); }
    void attach_view(interface_ref v) override { view = v; }
    void set(std::u16string t)
    {
        text = std::move(t);
        call<&element_view_impl::content_changed>(view);
    }
    std::u16string text;
    interface_ref view;
};

struct fake_button : button_impl {
    void click() override
    {
        down = !down;
        if (on_click)
            on_click();
    }
    bool pressed() override { return down; }
    void attach_view(interface_ref v) override { view = v; }
    bool down = false;
    std::function<void()> on_click;
    interface_ref view;
};

struct fake_dropdown : dropdown_impl {
    std::int32_t count() override { return static_cast<std::int32_t>(items.size()); }
    void visit_item_text(std::int32_t i, interface_ref v) override
    {
        zv::hostapp::visit_text(v, items.at(i));
    }
    std::int32_t selection() override { return chosen; }
    void select(std::int32_t i) override { chosen = i; }
    void attach_view(interface_ref v) override { view = v; }
    void set_items(std::vector<std::u16string> list)
    {
        items = std::move(list);
        chosen = items.empty() ? -1 : 0;
        call<&element_view_impl::content_changed>(view);
    }
    std::vector<std::u16string> items;
    std::int32_t chosen = -1;
    interface_ref view;
};

// Presents one element to an element visitor.
using presenter = std::function<void(interface_ref)>;
presenter show(fake_label& e)
{
    return [&e](interface_ref v) { call<&element_visitor_impl::visit_label>(v, make_ref<iface::label>(&e)); };
}
presenter show(fake_output& e)
{
    return
        [&e](interface_ref v) { call<&element_visitor_impl::visit_output>(v, make_ref<iface::output>(&e)); };
}
presenter show(fake_button& e)
{
    return
        [&e](interface_ref v) { call<&element_visitor_impl::visit_button>(v, make_ref<iface::button>(&e)); };
}
presenter show(fake_dropdown& e)
{
    return [&e](interface_ref v) {
        call<&element_visitor_impl::visit_dropdown>(v, make_ref<iface::dropdown>(&e));
    };
}

struct fake_grid : grid_layout_impl {
    fake_grid(std::int32_t r, std::int32_t c, std::vector<presenter> p)
        : rows(r), columns(c), cells(std::move(p))
    {
    }
    std::int32_t column_count() override { return columns; }
    std::int32_t row_count() override { return rows; }
    bool column_stretch(std::int32_t c) override { return c == stretched_column; }
    void visit_cell(std::int32_t c, std::int32_t r, interface_ref v) override
    {
        const auto at = static_cast<std::size_t>(c + r * columns);
        if (at < cells.size() && cells[at])
            cells[at](v);
    }
    void attach_view(interface_ref v) override { view = v; }
    std::int32_t rows, columns;
    std::vector<presenter> cells;
    std::int32_t stretched_column = -1;
    interface_ref view;
};
presenter show(fake_grid& e)
{
    return [&e](interface_ref v) {
        call<&element_visitor_impl::visit_grid_layout>(v, make_ref<iface::grid_layout>(&e));
    };
}

struct fake_groupbox : groupbox_impl {
    fake_groupbox(std::u16string c, fake_grid& g) : caption(std::move(c)), content(&g) {}
    void visit_caption(interface_ref v) override { zv::hostapp::visit_text(v, caption); }
    void visit_content(interface_ref v) override { show (*content)(v); }
    std::u16string caption;
    fake_grid* content;
};
presenter show(fake_groupbox& e)
{
    return [&e](interface_ref v) {
        call<&element_visitor_impl::visit_groupbox>(v, make_ref<iface::groupbox>(&e));
    };
}

// A dialog of two group boxes: a file input whose browse button asks the
// host's open chooser, as the module's does, and two labelled drop-downs.
struct fake_dialog {
    explicit fake_dialog(host_modal_dialog_view& choosers)
    {
        browse.on_click = [this, &choosers] {
            std::u16string answer;
            stdwstring_visitor result(answer);
            std::int32_t filter_index = 0;
            call<&modal_dialog_view_impl::choose_open_file>(
                make_ref<iface::modal_dialog_view>(&choosers), path.text.c_str(), u"File (*.shp)|*.shp",
                &filter_index, make_ref<iface::string_visitor>(&result));
            if (!answer.empty())
                path.set(answer);
        };
        file.stretched_column = 0;
        x.items = {u"depth", u"age"};
        x.chosen = 0;
    }

    std::unique_ptr<dialog_element> read() { return read_element_tree(show(root)); }

    fake_label file_label{u"Graph file:"}, x_label{u"X:"}, y_label{u"Y:"};
    fake_output path;
    fake_button browse;
    fake_dropdown x, y;
    fake_grid file{1, 2, {show(path), show(browse)}};
    fake_grid graph_row{1, 2, {show(file_label), show(file)}};
    fake_grid data_row{1, 4, {show(x_label), show(x), show(y_label), show(y)}};
    fake_groupbox graph{u"Graph", graph_row}, data{u"Data", data_row};
    fake_grid root{2, 1, {show(graph), show(data)}};
};

TEST(DialogPicture, ReadsTheTreeAndRendersItAsTextAndAsJson)
{
    host_modal_dialog_view choosers;
    fake_dialog module(choosers);
    dialog_picture picture{
        u"tool \"1\"\n", u"Graph tool", module.read(), {{u"OK", true}, {u"Cancel", false}}};
    ASSERT_NE(picture.content, nullptr);
    EXPECT_EQ(render_text(picture), "Graph tool\n"
                                    "==========\n"
                                    "-- Graph --\n"
                                    "  Graph file:  []  <...>\n"
                                    "-- Data --\n"
                                    "  X:  {*depth* | age}  Y:  {}\n"
                                    "\n"
                                    "<OK>  <Cancel> (disabled)\n");
    const std::string json = render_json(picture);
    EXPECT_EQ(
        json.rfind(R"({"name":"tool \"1\"\u000a","title":"Graph tool","content":{"kind":"grid_layout",)", 0),
        0u)
        << json;
    for (const char* part :
         {R"({"kind":"grid_layout","columns":2,"rows":1,"column_stretch":[true,false],)",
          R"({"kind":"output","text":"","caption":"","enabled":true})",
          R"({"kind":"dropdown","items":["depth","age"],"selection":0,"enabled":true})",
          R"("buttons":[{"text":"OK","enabled":true},{"text":"Cancel","enabled":false}]})"})
        EXPECT_NE(json.find(part), std::string::npos) << part;
}

TEST(DialogPicture, FollowsTheModulesNotificationsAndDetachesWhenItGoes)
{
    host_modal_dialog_view choosers;
    fake_dialog module(choosers);
    std::unique_ptr<dialog_element> root = module.read();
    dialog_element* data_row = root->cell(0, 1)->children[0].get();

    module.y.set_items({u"porosity"});
    module.x_label.set_enabled(false);
    EXPECT_EQ(data_row->cell(3, 0)->items, std::vector<std::u16string>{u"porosity"});
    EXPECT_EQ(data_row->cell(3, 0)->selection, 0);
    EXPECT_FALSE(data_row->cell(0, 0)->enabled);

    root.reset();
    EXPECT_FALSE(module.y.view.valid());
    EXPECT_FALSE(module.root.view.valid());
    module.y.set_items({}); // no view: nothing to tell
}

TEST(DialogInputs, AreFoundByLabelOrPositionAndSetAsAUserWould)
{
    host_modal_dialog_view choosers;
    fake_dialog module(choosers);
    std::unique_ptr<dialog_element> root = module.read();
    std::vector<dialog_input> inputs = collect_inputs(*root);
    ASSERT_EQ(inputs.size(), 3u);
    EXPECT_EQ(inputs[0].kind, input_kind::file);
    EXPECT_EQ(inputs[2].label, u"Y:");
    const std::vector<std::pair<std::u16string, dialog_input*>> keys = {{u"Graph file:", &inputs[0]},
                                                                        {u"Graph file", &inputs[0]},
                                                                        {u"X:", &inputs[1]},
                                                                        {u"#3", &inputs[2]},
                                                                        {u"#0", nullptr},
                                                                        {u"#4", nullptr},
                                                                        {u"Z", nullptr},
                                                                        {u":", nullptr}};
    for (const auto& [key, expected] : keys)
        EXPECT_EQ(find_input(inputs, key), expected) << foundation::to_utf8(key);

    EXPECT_EQ(set_input(inputs[0], u"/data/graph.shp", choosers), "");
    EXPECT_EQ(inputs[0].path()->text, u"/data/graph.shp");
    EXPECT_TRUE(inputs[0].browse()->pressed);
    ASSERT_EQ(choosers.requests().size(), 1u);
    EXPECT_EQ(choosers.requests()[0].filter, u"File (*.shp)|*.shp");
    EXPECT_EQ(choosers.pending_answers(), 0u);

    module.browse.on_click = nullptr; // a browse button that opens nothing
    EXPECT_EQ(set_input(inputs[0], u"/other.shp", choosers), "its browse button opened no chooser");
    EXPECT_EQ(set_input(inputs[1], u"age", choosers), "");
    EXPECT_EQ(module.x.chosen, 1);
    EXPECT_EQ(inputs[1].element->selection, 1);
    EXPECT_EQ(set_input(inputs[1], u"mass", choosers), "it has no item 'mass' (its items: 'depth', 'age')");
    EXPECT_EQ(set_input(inputs[2], u"mass", choosers), "it has no item 'mass' (it has none)");
}

TEST(DialogPicture, BoundsWhatAModuleClaims)
{
    fake_label label{u"x"};
    fake_grid huge{-5, 1 << 30, {show(label)}};
    fake_grid loop{1, 2, {}};
    loop.cells = {show(loop), show(loop)}; // contains itself
    std::unique_ptr<dialog_element> root = read_element_tree(show(huge));
    EXPECT_EQ(root->rows, 0);
    EXPECT_EQ(root->columns, 64);
    root = read_element_tree(show(loop));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(read_element_tree(nullptr), nullptr);
}

} // namespace
} // namespace zv::hostapp
