#include "plugin/app/pgn_oriented_axes2d_app/pgn_processing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>
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

struct point {
    double x, y;
};

// A rectangle of the given length and width centred at c, its long side at
// `angle` degrees counter-clockwise from east; its own axes are known.
struct rectangle {
    point c;
    double length, width, angle;
    point along(double s, double t) const
    {
        const double a = angle * std::acos(-1.0) / 180.0;
        return {c.x + s * std::cos(a) - t * std::sin(a), c.y + s * std::sin(a) + t * std::cos(a)};
    }
    std::vector<point> corners() const // clockwise
    {
        const double s = length / 2, t = width / 2;
        return {along(-s, -t), along(-s, t), along(s, t), along(s, -t)};
    }
    std::vector<point> long_axis() const { return {along(-length / 2, 0), along(length / 2, 0)}; }
    std::vector<point> short_axis() const { return {along(0, -width / 2), along(0, width / 2)}; }
};

// Writes polygons given as "x y x y ..." rings; reads shapes back as lines of
// "x y x y ...", one per shape.
constexpr const char* polygons_script = R"(
import shapefile, sys
if sys.argv[1] == "write":
    with shapefile.Writer(sys.argv[2], shapeType=shapefile.POLYGON) as w:
        w.field("NAME", "C", size=10)
        for text in sys.argv[3:]:
            v = [float(t) for t in text.split()]
            ring = [[v[i], v[i + 1]] for i in range(0, len(v), 2)]
            w.poly([ring + ring[:1]])
            w.record("r")
else:
    for s in shapefile.Reader(sys.argv[2]).shapes():
        print(" ".join(f"{x!r} {y!r}" for x, y in s.points))
)";

std::string as_text(const std::vector<point>& points)
{
    std::ostringstream out;
    out.precision(17);
    for (const point& p : points)
        out << p.x << ' ' << p.y << ' ';
    return out.str();
}

std::vector<std::vector<point>> read_shapes(const std::string& path)
{
    std::vector<std::vector<point>> shapes;
    for (const std::string& line : test::lines_of(test::run_python(polygons_script, {"read", path}).output)) {
        std::istringstream in(line);
        shapes.emplace_back();
        for (point p; in >> p.x >> p.y;)
            shapes.back().push_back(p);
    }
    return shapes;
}

// Every expected vertex is one of the actual ones, in any order.
void expect_same_vertices(const std::vector<point>& actual, const std::vector<point>& expected)
{
    for (const point& e : expected) {
        double nearest = INFINITY;
        for (const point& a : actual)
            nearest = std::min(nearest, std::hypot(a.x - e.x, a.y - e.y));
        EXPECT_LT(nearest, 1e-6) << "no vertex at " << e.x << ' ' << e.y;
    }
}

// The axes of a rectangle run through its centre to the middles of its
// sides; its oriented rectangle is itself. Gauss-Kruger-sized coordinates.
TEST_F(PolygonAxes, RectanglesGiveTheirMidlinesAndThemselves)
{
    const std::vector<rectangle> shapes = {{{7545020.0, 6052005.0}, 40.0, 10.0, 0.0},
                                           {{7545100.0, 6052100.0}, 40.0, 10.0, 30.0},
                                           {{7545300.0, 6052000.0}, 120.0, 35.0, 117.5}};
    std::vector<std::string> args = {"write", folder.file("fields")};
    for (const rectangle& r : shapes)
        args.push_back(as_text(r.corners()));
    ASSERT_EQ(test::run_python(polygons_script, args).output, "");
    ASSERT_TRUE(pgn_process_path(backslashed(folder.file("fields.shp"))));
    const auto long_axes = read_shapes(folder.file("fields_large_axes2d.shp"));
    const auto short_axes = read_shapes(folder.file("fields_small_axes2d.shp"));
    const auto rectangles = read_shapes(folder.file("fields_rect2d.shp"));
    ASSERT_EQ(long_axes.size(), shapes.size());
    ASSERT_EQ(short_axes.size(), shapes.size());
    ASSERT_EQ(rectangles.size(), shapes.size());
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        SCOPED_TRACE(i);
        expect_same_vertices(long_axes[i], shapes[i].long_axis());
        expect_same_vertices(short_axes[i], shapes[i].short_axis());
        expect_same_vertices(rectangles[i], shapes[i].corners());
    }
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
