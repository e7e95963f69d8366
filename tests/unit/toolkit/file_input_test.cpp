#include <gtest/gtest.h>

#include <string>

#include "kit/dialog_host.h"
#include "toolkit/file_input.h"
#include "util/modal_dialog_service_factory.h"

namespace zv::test
{
namespace
{

TEST(FileInput, FilterIndexFollowsThePathsExtension)
{
    struct {
        const char16_t* path;
        const char16_t* filter;
        std::int32_t index;
    } const cases[] = {
        {u"D:\\data\\lines.shp", u"File (*.shp)|*.shp", 0},
        {u"D:\\data\\lines.SHP", u"Table (*.dbf)|*.dbf|File (*.shp)|*.shp", 1},
        {u"D:\\data\\lines", u"Table (*.dbf)|*.dbf|File (*.shp)|*.shp", 0},
        {u"D:\\data.v2\\.shp", u"Table (*.dbf)|*.dbf|File (*.shp)|*.shp", 0}, // a leading dot is no extension
        {u"D:\\data\\grid.pgrid", u"File (*.shp)|*.shp", 0},
        {u"D:\\data\\grid.pgrid", u"", 0},
        {u"a.dbf", u"||Table|*.dbf", 1}, // empty fields count
    };
    for (const auto& c : cases)
        EXPECT_EQ(toolkit::filter_index_for(c.path, c.filter), c.index) << std::string(c.path, c.path + 3);
}

class FileInputBrowse : public ::testing::Test
{
  protected:
    void SetUp() override { connect_view(util::detail::the_modal_dialog_service_factory(), source, view); }

    hostapp::host_service_source source;
    scripted_view view;
    toolkit::file_input input;
    int changes = 0;
};

TEST_F(FileInputBrowse, FolderModeEndsTheChoiceWithASeparator)
{
    input.set_mode(toolkit::choose_folder);
    input.set_initial_folder(u"/srv/data");
    input.set_change_handler([&] { ++changes; });
    view.answers = {u"/srv/profiles", u"/srv/other/", u"/srv/other/"};
    input.browse();
    EXPECT_EQ(input.path(), u"/srv/profiles\\");
    EXPECT_EQ(view.requests.at(0).initial, u"/srv/data"); // nothing chosen yet: the initial folder
    input.browse();
    EXPECT_EQ(input.path(), u"/srv/other/");
    EXPECT_EQ(view.requests.at(1).initial, u"/srv/profiles\\");
    input.browse(); // the same path again changes nothing
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(view.requests.at(0).slot, 3);
}

TEST_F(FileInputBrowse, ModesPickTheChooserAndAValidatorGuardsThePath)
{
    struct {
        std::int32_t mode;
        int slot;
        int flag;
    } const modes[] = {{0, 4, -1}, {1, 6, 1}, {2, 6, 0}};
    for (const auto& m : modes) {
        toolkit::file_input each;
        each.set_mode(m.mode);
        view.answers = {u"C:\\out\\x.shp"};
        view.requests.clear();
        each.browse();
        ASSERT_EQ(view.requests.size(), 1u);
        EXPECT_EQ(view.requests[0].slot, m.slot);
        EXPECT_EQ(view.requests[0].flag, m.flag);
        EXPECT_EQ(each.path(), u"C:\\out\\x.shp");
    }

    input.set_mode(7); // unknown: browsing asks nothing
    view.requests.clear();
    input.browse();
    EXPECT_TRUE(view.requests.empty());

    input.set_mode(toolkit::open_file);
    input.set_change_handler([&] { ++changes; });
    input.set_validator([](const std::u16string& path) { return path.ends_with(u".shp"); });
    view.answers = {u"C:\\x.dbf", u"C:\\x.shp"};
    input.browse();
    EXPECT_EQ(input.path(), u"");
    input.browse();
    EXPECT_EQ(input.path(), u"C:\\x.shp");
    EXPECT_EQ(changes, 0); // a validated choice does not call the change handler
}

} // namespace
} // namespace zv::test
