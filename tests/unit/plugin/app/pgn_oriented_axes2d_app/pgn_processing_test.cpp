#include "plugin/app/pgn_oriented_axes2d_app/pgn_processing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "kit/command.h"
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
    bool unchanged_sample() const
    {
        for (const std::string& ext : shapefile_parts)
            if (test::read_bytes(folder / ("fields" + ext)) !=
                test::read_bytes(std::string(ZV_SAMPLES) + "/polygons/fields" + ext))
                return false;
        return true;
    }

    scratch_folder folder{"zv_pgn"};
    test::shown_messages messages;
    const std::vector<shown_message> done = {{ZV_MSG_INFORMATION, u"Выполнено!"}};
};

// pyshp reads the input and the three outputs: one axis, axis and rectangle
// per polygon of the input (a multi-part record gives one per part, a hole
// belongs to its polygon), each carrying its source record, part and name.
constexpr const char* check_outputs_script = R"(
import shapefile, sys
source = shapefile.Reader(sys.argv[1], encoding="cp1251")
expected = []
for i, (shape, rec) in enumerate(zip(source.shapes(), source.records())):
    gi = shape.__geo_interface__
    count = 1 if gi["type"] == "Polygon" else len(gi["coordinates"])
    expected += [(i, p, rec["NAME"]) for p in range(count)]
problems = []
for path, vertices in zip(sys.argv[2:], (2, 2, 5)):
    out = shapefile.Reader(path, encoding="cp1251")
    got = [(r["SRC_OBJ"], r["SRC_PART"], r["NAME"]) for r in out.records()]
    if got != expected:
        problems.append(f"{path}: {got} instead of {expected}")
    if [len(s.points) for s in out.shapes()] != [vertices] * len(expected):
        problems.append(f"{path}: vertex counts")
print("\n".join(problems) if problems else f"ok: {len(expected)} polygons")
)";

TEST_F(PolygonAxes, SampleFieldsGiveAxesAndRectangleOfEveryPolygonBesideTheInput)
{
    const std::string input = copy_sample_fields();
    EXPECT_TRUE(pgn_process_path(backslashed(input)));
    EXPECT_EQ(messages.boxes, done);
    EXPECT_EQ(folder.entries(), files_of(output_stems)); // nothing else left behind
    EXPECT_TRUE(unchanged_sample());
    const auto checked = test::run_python(
        check_outputs_script, {input, folder.file("fields_large_axes2d.shp"),
                               folder.file("fields_small_axes2d.shp"), folder.file("fields_rect2d.shp")});
    EXPECT_TRUE(checked.output.starts_with("ok: ")) << checked.output;
}

// Rectangles (centre, length, width, angle of the long side counter-clockwise
// from east) in Gauss-Kruger-sized coordinates. Their axes run from the
// centre to the middles of their sides; their oriented rectangle is
// themselves. "write" makes the input, "check" prints "ok" when every
// expected vertex is within a micrometre of a vertex of the outputs.
constexpr const char* rectangles_script = R"(
import math, shapefile, sys
RECTANGLES = [(7545020.0, 6052005.0, 40.0, 10.0, 0.0), (7545100.0, 6052100.0, 40.0, 10.0, 30.0),
              (7545300.0, 6052000.0, 120.0, 35.0, 117.5)]
def at(r, s, t):
    a = math.radians(r[4])
    return (r[0] + s * math.cos(a) - t * math.sin(a), r[1] + s * math.sin(a) + t * math.cos(a))
def corners(r):  # clockwise
    s, t = r[2] / 2, r[3] / 2
    return [at(r, -s, -t), at(r, -s, t), at(r, s, t), at(r, s, -t)]
folder = sys.argv[2]
if sys.argv[1] == "write":
    with shapefile.Writer(folder + "/fields", shapeType=shapefile.POLYGON) as w:
        w.field("NAME", "C", size=10)
        for r in RECTANGLES:
            w.poly([corners(r) + corners(r)[:1]])
            w.record("r")
else:
    expected = {"fields_large_axes2d": lambda r: [at(r, -r[2] / 2, 0), at(r, r[2] / 2, 0)],
                "fields_small_axes2d": lambda r: [at(r, 0, -r[3] / 2), at(r, 0, r[3] / 2)],
                "fields_rect2d": corners}
    worst = 0.0
    for name, vertices in expected.items():
        shapes = shapefile.Reader(folder + "/" + name).shapes()
        worst = max(worst, 0.0 if len(shapes) == len(RECTANGLES) else math.inf)
        for shape, r in zip(shapes, RECTANGLES):
            for p in vertices(r):
                worst = max(worst, min(math.dist(p, q) for q in shape.points))
    print("ok" if worst < 1e-6 else f"a vertex is {worst} away")
)";

TEST_F(PolygonAxes, RectanglesGiveTheirMidlinesAndThemselves)
{
    ASSERT_EQ(test::run_python(rectangles_script, {"write", folder.path().string()}).output, "");
    ASSERT_TRUE(pgn_process_path(backslashed(folder.file("fields.shp"))));
    EXPECT_EQ(test::run_python(rectangles_script, {"check", folder.path().string()}).output, "ok\n");
}

// Whatever fails, the only message is the one information box (none for an
// empty path); a failed save ends the saving with the outputs before it kept.
TEST_F(PolygonAxes, FailuresKeepTheOneMessageAndStopAtTheFirstFailedSave)
{
    struct failure {
        const char* name;
        std::function<std::string()> prepare; // gives the path to process
        std::vector<shown_message> boxes;
        std::vector<std::string> files;
    };
    const std::vector<failure> cases = {
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
        EXPECT_FALSE(pgn_process_path(backslashed(c.prepare())));
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
