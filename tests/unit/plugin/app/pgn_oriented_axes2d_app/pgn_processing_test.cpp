#include "plugin/app/pgn_oriented_axes2d_app/pgn_processing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "kit/scratch_folder.h"
#include "kit/shown_messages.h"

namespace zv
{
namespace
{

using test::backslashed;
using test::scratch_folder;
using test::shown_message;

const std::vector<std::string> shapefile_parts = {".cpg", ".dbf", ".prj", ".shp", ".shx"};
const std::vector<std::string> output_stems = {"fields_large_axes2d", "fields_rect2d", "fields_small_axes2d"};

class PolygonAxes : public ::testing::Test
{
  protected:
    // The sample polygon file copied into the test's folder; its .shp path.
    std::string copy_sample_fields()
    {
        for (const std::string& ext : shapefile_parts)
            std::filesystem::copy_file(std::string(ZV_SAMPLES) + "/polygons/fields" + ext,
                                       folder.path() / ("fields" + ext));
        return folder.file("fields.shp");
    }
    // The sample's files and those of the given output stems, sorted.
    static std::vector<std::string> files_of(std::vector<std::string> stems)
    {
        std::vector<std::string> names;
        stems.insert(stems.begin(), "fields");
        for (const std::string& stem : stems)
            for (const std::string& ext : shapefile_parts)
                names.push_back(stem + ext);
        std::sort(names.begin(), names.end());
        return names;
    }

    scratch_folder folder{"zv_pgn"};
    test::shown_messages messages;
    const std::vector<shown_message> done = {{ZV_MSG_INFORMATION, u"Выполнено!"}};
};

// Whatever the outcome, the only message is the one information box (none
// for an empty path); a failed save ends the saving with the outputs before
// it kept. What the outputs hold and that the input stays as it was is
// polygon_e2e.py's on the same sample; which record and part each output
// object comes from is the gc64lib tests', which take the tool's steps.
TEST_F(PolygonAxes, EveryRunShowsOneMessageAndStopsAtTheFirstFailedSave)
{
    struct failure {
        const char* name;
        std::function<std::string()> prepare; // gives the path to process
        std::vector<shown_message> boxes;
        std::vector<std::string> files;
        bool result = false;
    };
    const std::vector<failure> cases = {
        {"sample fields", [this] { return copy_sample_fields(); }, done, files_of(output_stems), true},
        {"empty path", [] { return std::string(); }, {}, {}},
        {"missing input", [this] { return folder.file("absent.shp"); }, done, {}},
        {"short axes blocked by a folder",
         [this] {
             std::filesystem::create_directory(folder / "fields_small_axes2d.shp");
             return copy_sample_fields();
         },
         done,
         [] {
             auto files = files_of({"fields_large_axes2d"});
             files.push_back("fields_small_axes2d.shp");
             std::sort(files.begin(), files.end());
             return files;
         }()},
    };
    for (const failure& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder.path());
        std::filesystem::create_directory(folder.path());
        messages.boxes.clear();
        EXPECT_EQ(pgn_process_path(backslashed(c.prepare())), c.result);
        EXPECT_EQ(messages.boxes, c.boxes);
        EXPECT_EQ(folder.entries(), c.files);
    }
}

// Outputs take the input's folder and stem and its extension in lower case.
TEST(PolygonAxesOutputs, NamesFollowTheInput)
{
    const pgn_output_paths upper = pgn_output_paths_for(u"D:\\data\\fields.SHP");
    EXPECT_EQ(upper.long_axes, u"D:\\data\\fields_large_axes2d.shp");
    EXPECT_EQ(upper.short_axes, u"D:\\data\\fields_small_axes2d.shp");
    EXPECT_EQ(upper.rectangles, u"D:\\data\\fields_rect2d.shp");
    EXPECT_EQ(pgn_output_paths_for(u"D:\\d.x/fields").long_axes, u"D:\\d.x/fields_large_axes2d");
    EXPECT_EQ(pgn_output_paths_for(u".hidden").rectangles, u".hidden_rect2d");
}

} // namespace
} // namespace zv
