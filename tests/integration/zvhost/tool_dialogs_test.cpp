// The three tools' dialogs as the host renders them from the built module,
// loaded through libzvhost: their layouts in both languages, the choosers
// their file inputs open, the drop-downs a data file fills, and what
// `zvhost run` makes of a dialog left empty.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog_inputs.h"
#include "dialog_render.h"
#include "foundation/utf.h"
#include "kit/command.h"
#include "tool_dialog.h"
#include "translations.h"

namespace zv::hostapp
{
namespace
{

class ToolDialogs : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        chosen_ = host::chosen_language();
        std::string error;
        ASSERT_TRUE(h.load(zv::test::shared_library("zv_geotools"), error)) << error;
        h.connect_clients();
    }
    void TearDown() override { host::set_language(chosen_); }

    // The dialog of the tool that `name` names, held by the host.
    std::unique_ptr<tool_dialog> open(std::u16string_view name)
    {
        const std::optional<std::u16string> identifier = find_tool(h, name);
        return identifier ? std::make_unique<tool_dialog>(h.create_service(*identifier)) : nullptr;
    }

    host h;
    std::string chosen_;
};

// Each tool and the stem of its renderings in tests/data/dialogs (<stem>.en.txt,
// <stem>.ru.txt), named differently each time: by identifier, its end, or
// the name of its factory.
const std::pair<std::u16string, std::string> layouts[] = {
    {u"prf_beg_end_app", "profile"},
    {u"/app/pgn_oriented_axes2d_app", "polygon"},
    {u"zvk_tos_graph_x2y_app_app", "oat"},
};

std::string rendering(const std::string& stem, const char* language)
{
    return zv::test::read_bytes(std::string(ZV_TEST_DATA) + "/dialogs/" + stem + "." + language + ".txt");
}

// One dialog shown in English, then again after the language changed.
TEST_F(ToolDialogs, ShowTheirLayoutsInTheLanguageOfEachShowing)
{
    for (const auto& [tool, stem] : layouts) {
        const auto dialog = open(tool);
        ASSERT_NE(dialog, nullptr) << stem;
        host::set_language("en");
        EXPECT_EQ(render_text(dialog->show()), rendering(stem, "en"));
        host::set_language("ru");
        EXPECT_EQ(render_text(dialog->show()), rendering(stem, "ru"));
        // Found by its title in either language.
        EXPECT_EQ(find_tool(h, dialog->title()), find_tool(h, tool));
    }
}

TEST_F(ToolDialogs, StretchTheirPathsAndDropDownsAndOpenTheirChoosers)
{
    host::set_language("en");
    const auto oat = open(u"OAT property calculation by graph");
    ASSERT_NE(oat, nullptr);
    std::vector<dialog_input> inputs = collect_inputs(*oat->show().content);
    ASSERT_EQ(inputs.size(), 4u);
    EXPECT_EQ(inputs[0].element->column_stretch, (std::vector<bool>{true, false}));
    const dialog_element* property_row = oat->shown()->content->cell(0, 1)->children[0]->cell(0, 1);
    ASSERT_NE(property_row, nullptr);
    EXPECT_EQ(property_row->column_stretch, (std::vector<bool>{false, true, false, true}));

    // Choosing a data file fills both drop-downs with its properties' captions.
    const zv::test::scratch_folder folder("zv_dialogs");
    zv::test::write_bytes(folder / "grid.csv", "x,y,depth\n1,2,10\n");
    const std::string data = folder.file("grid.pgrid");
    ASSERT_TRUE(zv::test::run_command(zv::test::quoted(zv::test::program("pgrid")) + " from-csv " +
                                      zv::test::quoted(folder.file("grid.csv")) + " " +
                                      zv::test::quoted(data) +
                                      " --caption x=X --caption y=Y --caption depth=Depth")
                    .ok());
    ASSERT_TRUE(h.has_choosers());
    EXPECT_EQ(set_input(inputs[1], foundation::to_utf16(data), h.choosers()), "");
    EXPECT_EQ(h.choosers().requests().back().kind, chooser_kind::open_file);
    EXPECT_EQ(h.choosers().requests().back().filter, u"File (*.pgrid)|*.pgrid");
    EXPECT_EQ(inputs[1].path()->text, foundation::to_utf16(data));
    EXPECT_EQ(inputs[3].element->items, (std::vector<std::u16string>{u"X", u"Y", u"Depth"}));
    EXPECT_EQ(inputs[3].element->selection, 0);
    EXPECT_NE(render_text(*oat->shown()).find("{*X* | Y | Depth}"), std::string::npos);
    const std::string json = render_json(*oat->shown());
    for (const char* part :
         {R"("title":"OAT property calculation by graph","content":{"kind":"grid_layout",)",
          R"({"kind":"groupbox","caption":"Data",)", R"("column_stretch":[true,false],)",
          R"({"kind":"output","text":")",
          R"({"kind":"dropdown","items":["X","Y","Depth"],"selection":0,"enabled":true})"})
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    EXPECT_EQ(set_input(inputs[3], u"Mass", h.choosers()),
              "it has no item 'Mass' (its items: 'X', 'Y', 'Depth')");

    const auto profile = open(u"Profile: begin,end,length");
    inputs = collect_inputs(*profile->show().content);
    ASSERT_EQ(inputs.size(), 1u);
    EXPECT_EQ(set_input(inputs[0], u"/data/profiles", h.choosers()), "");
    EXPECT_EQ(h.choosers().requests().back().kind, chooser_kind::folder);
    EXPECT_EQ(inputs[0].path()->text, u"/data/profiles\\");

    const auto polygons = open(u"File");
    EXPECT_EQ(polygons, nullptr); // a label is no tool
}

TEST_F(ToolDialogs, ANewLocalizerServesTheTextsOfTheNextShowing)
{
    host::set_language("en"); // the buttons' texts, whatever the locale
    const auto profile = open(u"prf_beg_end_app");
    ASSERT_NE(profile, nullptr);
    std::string error;
    std::optional<translations> texts = translations::parse("10\tProfiles\n11\tFolder\n", error);
    ASSERT_TRUE(texts) << error;
    h.set_translations(std::move(*texts));
    EXPECT_EQ(render_text(profile->show()), "Profiles\n========\nFolder  []  <...>\n\n<OK>  <Cancel>\n");
}

struct run_case {
    std::vector<std::string> arguments;
    int status;
    std::string output; // standard output and error, or the part of it shown
};

TEST(ZvhostRun, EndsWithTheDialogsOutcome)
{
    const std::vector<run_case> cases = {
        {{"run", "prf_beg_end_app"}, 1, "zvhost: the dialog stayed open\n"},
        {{"run", "Rectangle in self polygon axes"}, 1, "zvhost: the dialog stayed open\n"},
        {{"--lang", "en", "run", "tos_graph_x2y_app"},
         1,
         "warning: Incomplete or wrong parameters. Check them, please.\nzvhost: the dialog stayed open\n"},
        {{"--lang", "ru", "run", "Пересчет свойства ТОС по графику", "--set",
          "Файл данных (ТОС)=/nothing.pgrid"},
         1,
         "warning: Параметры заданы неверно или неполностью. Проверьте, пожалуйста.\n"},
        {{"run", "zvk_prf_beg_end_app_app", "--set", "Folder=/tmp"}, 2, "no input labelled 'Folder'"},
        {{"run", "tos_graph_x2y_app", "--set", "#3=depth"}, 2, "it has no item 'depth' (it has none)"},
        {{"show", "no_such_tool"}, 2, "no tool 'no_such_tool'"},
    };
    for (const run_case& c : cases) {
        std::string command = zv::test::quoted(zv::test::program("zvhost"));
        for (const std::string& argument : c.arguments)
            command += " " + zv::test::quoted(argument);
        const auto r = zv::test::run_command(command + " 2>&1");
        EXPECT_EQ(r.status, c.status) << command << "\n" << r.output;
        EXPECT_NE(r.output.find(c.output), std::string::npos) << command << "\n" << r.output;
    }
}

} // namespace
} // namespace zv::hostapp
