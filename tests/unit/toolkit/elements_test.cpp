#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_element.h"
#include "kit/dialog_host.h"
#include "toolkit/button.h"
#include "toolkit/button_box.h"
#include "toolkit/dropdown.h"
#include "toolkit/grid_layout.h"
#include "toolkit/label.h"
#include "toolkit/output.h"

namespace zv::test
{
namespace
{

// Labelled elements in two cells each, and column stretch, show in the tools'
// layouts (integration tests); here the cells as the host reads them.
TEST(GridLayout, FillsRowByRowSkipsTakenCellsAndDropsWhatDoesNotFit)
{
    toolkit::grid_layout<1, 2> row;
    toolkit::label a, b, c;
    row.add(a);
    row.add(b);
    row.add(c); // full: dropped
    const auto seen = hostapp::read_element_tree([&](interface_ref v) { row.present(v); });
    ASSERT_EQ(seen->children.size(), 2u);
    EXPECT_EQ(seen->cell(0, 0)->element.object, &a);
    EXPECT_EQ(seen->cell(1, 0)->element.object, &b);
    EXPECT_EQ(hostapp::read_element_tree([&](interface_ref v) { row.visit_cell(2, 0, v); }), nullptr)
        << "outside: nothing presented";

    toolkit::grid_layout<2, 2> by_columns; // its own labels: an element has one picture at a time
    toolkit::label d, e;
    by_columns.set_fill_order(1);
    by_columns.add(d);
    by_columns.add(e);
    const auto filled = hostapp::read_element_tree([&](interface_ref v) { by_columns.present(v); });
    EXPECT_EQ(filled->cell(0, 1)->element.object, &e); // the row advanced first
    EXPECT_EQ(filled->cell(1, 0), nullptr);            // an empty cell presents nothing
}

TEST(Dropdown, SetItemsKeepsAValidSelectionAndNotifies)
{
    using list = toolkit::dropdownex<std::u16string>;
    const std::vector<list::item> three{{u"A", u"a"}, {u"B", u"b"}, {u"C", u"c"}};
    struct {
        std::int32_t before;
        std::size_t count;
        std::int32_t after;
    } const cases[] = {{5, 3, 0}, {2, 3, 2}, {-1, 3, 0}, {1, 0, -1}};
    for (const auto& c : cases) {
        list dropdown;
        counting_view view;
        dropdown.set_items(three);
        dropdown.select(c.before, false);
        dropdown.attach_view(view.reference());
        dropdown.set_items({three.begin(), three.begin() + static_cast<std::ptrdiff_t>(c.count)});
        EXPECT_EQ(dropdown.selection(), c.after) << c.before << " of " << c.count;
        EXPECT_EQ(view.content, 1);
    }
}

TEST(Dropdown, SelectionRulesForTheModuleAndTheHost)
{
    toolkit::dropdownex<std::u16string> dropdown;
    counting_view view;
    std::vector<int> handled;
    dropdown.set_items({{u"Depth", u"DEPTH"}, {u"Porosity", u"PORO"}});
    dropdown.set_change_handler([&](int index) { handled.push_back(index); });
    dropdown.attach_view(view.reference());

    dropdown.select(1, true);
    dropdown.select(1, true);  // unchanged and skipped: no notification
    dropdown.select(7, false); // outside the items: none
    EXPECT_EQ(dropdown.selection(), -1);
    EXPECT_EQ(view.content, 2);
    EXPECT_TRUE(handled.empty()); // the module's select never calls the handler

    call<&dropdown_impl::select>(make_ref<iface::dropdown>(static_cast<dropdown_impl*>(&dropdown)), 1);
    call<&dropdown_impl::select>(make_ref<iface::dropdown>(static_cast<dropdown_impl*>(&dropdown)), 1);
    EXPECT_EQ(handled, (std::vector<int>{1, 1})); // the host's select always does
    EXPECT_EQ(view.content, 2);
    EXPECT_EQ(dropdown.selected_value(), u"PORO");

    dropdown.clear_items();
    EXPECT_EQ(dropdown.selection(), -1);
    EXPECT_EQ(view.content, 3);
    dropdown.clear_items(); // already none: silent
    EXPECT_EQ(view.content, 3);
}

TEST(Controls, OutputNotifiesOnlyRealChangesAndButtonsToggleOnEveryClick)
{
    toolkit::output text;
    counting_view view;
    text.attach_view(view.reference());
    text.set_text(u"D:\\data\\");
    text.set_text(u"D:\\data\\");
    text.set_enabled(false);
    text.set_enabled(false);
    EXPECT_EQ(view.content, 1);
    EXPECT_EQ(view.layout, 1);

    toolkit::button plain;
    plain.click();
    EXPECT_TRUE(plain.pressed());
    int clicks = 0;
    plain.set_click_handler([&] { ++clicks; });
    plain.click();
    EXPECT_FALSE(plain.pressed());
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonBox, CodesDecideWhetherTheDialogCloses)
{
    toolkit::button_box box;
    EXPECT_TRUE(box.click(-1));
    EXPECT_FALSE(box.click(0)); // accepting without a handler
    int accepted = 0;
    box.set_accept_handler([&] { return ++accepted == 2; });
    EXPECT_FALSE(box.click(0));
    EXPECT_TRUE(box.click(0));
    EXPECT_TRUE(box.click(1)); // cancel closes without asking the tool
    EXPECT_EQ(accepted, 2);
}

} // namespace
} // namespace zv::test
