#include "plugin/app/tos_graph_x2y_app/tos_graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "kit/command.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "kit/shown_messages.h"

namespace zv
{

bool operator==(const graph_segment& a, const graph_segment& b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

namespace
{

using test::backslashed;
using test::quoted;
using test::run_command;

const std::string pgrid = std::string(ZV_BIN_DIR) + "/pgrid";

// Writes a polyline shapefile; each argument is one record: parts separated
// by "|", vertices as "x y" pairs; "null" is a record without a shape.
constexpr const char* polylines_script = R"(
import shapefile, sys
with shapefile.Writer(sys.argv[1], shapeType=shapefile.POLYLINE) as w:
    w.field("NAME", "C", size=10)
    for record in sys.argv[2:]:
        if record == "null":
            w.null()
        else:
            parts = []
            for text in record.split("|"):
                v = [float(t) for t in text.split()]
                parts.append([[v[i], v[i + 1]] for i in range(0, len(v), 2)])
            w.line(parts)
        w.record("g")
)";

class OatGraph : public ::testing::Test
{
  protected:
    std::string write_graph(const std::string& name, const std::vector<std::string>& records)
    {
        std::vector<std::string> args = {folder.file(name)};
        args.insert(args.end(), records.begin(), records.end());
        EXPECT_EQ(test::run_python(polylines_script, args).output, "");
        return folder.file(name + ".shp");
    }
    std::string write_data(const std::string& csv)
    {
        test::write_bytes(folder / "data.csv", csv);
        const std::string path = folder.file("data.pgrid");
        EXPECT_TRUE(run_command(quoted(pgrid) + " from-csv " + quoted(folder.file("data.csv")) + " " +
                                quoted(path) + " --type KEEP=i16 --caption \"SRC=Пористость\"")
                        .ok());
        std::filesystem::remove(folder / "data.csv");
        return path;
    }
    // The data file's values, row by row, as pgrid prints them.
    std::string data_as_csv() const
    {
        return run_command(quoted(pgrid) + " to-csv " + quoted(folder.file("data.pgrid"))).output;
    }

    test::scratch_folder folder{"zv_tos"};
    test::shown_messages messages;
};

// Objects in order, parts in order, segments along each part; nothing joins
// two parts, and null shapes and one-vertex parts add nothing.
TEST_F(OatGraph, GraphIsTheSegmentsOfEveryPartInFileOrder)
{
    const std::string path =
        write_graph("graph", {"0 0 1 1 2 0", "null", "5 5|3 1 4 2|6 6 7 7", "10 0 11 1"});
    std::vector<graph_segment> segments = {{9, 9, 9, 9}};
    ASSERT_TRUE(tos_load_graph(backslashed(path), segments));
    EXPECT_EQ(segments, (std::vector<graph_segment>{
                            {0, 0, 1, 1}, {1, 1, 2, 0}, {3, 1, 4, 2}, {6, 6, 7, 7}, {10, 0, 11, 1}}));

    // Files that give no graph: the list is emptied all the same.
    const std::string single_vertices = write_graph("points", {"1 1", "2 2|3 3"});
    for (const std::string& bad :
         {folder.file("absent.shp"), std::string(ZV_SAMPLES) + "/polygons/fields.shp", single_vertices}) {
        segments = {{9, 9, 9, 9}};
        EXPECT_FALSE(tos_load_graph(backslashed(bad), segments)) << bad;
        EXPECT_TRUE(segments.empty()) << bad;
    }
}

// One column of pgrid's CSV output (numbers only, never quoted), header first.
std::vector<std::string> column(const std::string& csv, std::size_t index)
{
    std::vector<std::string> values;
    for (std::string line : test::lines_of(csv)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> cells(1);
        for (const char c : line) {
            if (c == ',')
                cells.emplace_back();
            else
                cells.back().push_back(c);
        }
        values.push_back(index < cells.size() ? cells[index] : "");
    }
    return values;
}

// A graph that folds back (0..10, then back to 4) and has a second part
// 12..14; Y by hand at each X: the first segment in the file that holds X.
// No-data where X is no-data, infinite, in the gap or outside.
TEST_F(OatGraph, ResultPropertyIsRewrittenWholeFromTheGraph)
{
    const std::string graph = write_graph("graph", {"0 0 10 50 4 80|12 0 14 10"});
    const std::vector<std::pair<std::string, std::optional<float>>> rows = {
        {"0", 0.0f}, {"2.5", 12.5f}, {"4", 20.0f},   {"7.25", 36.25f}, {"10", 50.0f},
        {"11", {}},  {"12", 0.0f},   {"13.5", 7.5f}, {"14", 10.0f},    {"15", {}},
        {"-1", {}},  {"", {}},       {"inf", {}},    {"-inf", {}},     {"0.1", 0.5f}};
    std::string csv = "SRC,RES,KEEP\r\n";
    for (std::size_t i = 0; i < rows.size(); ++i)
        csv += rows[i].first + ",5.5," + std::to_string(i) + "\r\n";
    const std::string data = write_data(csv);
    const std::string graph_before = test::read_bytes(graph);

    ASSERT_TRUE(tos_run_graph({backslashed(data), u"SRC", u"RES", backslashed(graph)}));
    const std::string result = data_as_csv();
    const std::vector<std::string> src = column(result, 0), res = column(result, 1), keep = column(result, 2);
    ASSERT_EQ(res.size(), rows.size() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].first);
        EXPECT_EQ(src[i + 1], rows[i].first);
        EXPECT_EQ(keep[i + 1], std::to_string(i));
        if (!rows[i].second) {
            EXPECT_EQ(res[i + 1], "");
        } else {
            EXPECT_NEAR(std::stof(res[i + 1]), *rows[i].second, 1e-6f * (1 + std::fabs(*rows[i].second)));
        }
    }
    EXPECT_EQ(test::read_bytes(graph), graph_before);
    EXPECT_EQ(folder.entries(),
              (std::vector<std::string>{"data.pgrid", "graph.dbf", "graph.shp", "graph.shx"}));
}

// The success box in the host's language; every failure ends silently with
// the data file as it was.
TEST_F(OatGraph, RunShowsSuccessOnlyWhenTheResultWasWritten)
{
    const std::u16string graph = backslashed(write_graph("graph", {"0 0 1 10"}));
    const std::u16string data = backslashed(write_data("SRC,RES,KEEP\r\n0.5,,1\r\n"));
    const std::string before = test::read_bytes(folder / "data.pgrid");
    const std::vector<tos_graph_params> failing = {
        {data, u"SRC", u"RES", backslashed(folder.file("absent.shp"))},
        {backslashed(folder.file("absent.pgrid")), u"SRC", u"RES", graph},
        {data, u"src", u"RES", graph}, // names are compared exactly
        {data, u"SRC", u"NONE", graph},
    };
    for (const tos_graph_params& params : failing) {
        EXPECT_FALSE(tos_run_graph(params));
        EXPECT_EQ(test::read_bytes(folder / "data.pgrid"), before);
    }
    EXPECT_TRUE(messages.boxes.empty());

    test::scoped_env env;
    for (const auto& [language, text] : {std::pair{"ru", u"Выполнено!"}, std::pair{"en", u"Success!"}}) {
        env.set("ZV_LANG", language);
        messages.boxes.clear();
        EXPECT_TRUE(tos_run_graph({data, u"SRC", u"RES", graph}));
        EXPECT_EQ(messages.boxes, (std::vector<test::shown_message>{{ZV_MSG_INFORMATION, text}}));
    }
    EXPECT_EQ(column(data_as_csv(), 1).back(), "5");

    // A data file without objects is read and written with a count of 0.
    const std::u16string empty = backslashed(write_data("SRC,RES,KEEP\r\n"));
    messages.boxes.clear();
    EXPECT_TRUE(tos_run_graph({empty, u"SRC", u"RES", graph}));
    EXPECT_EQ(messages.boxes.size(), 1u);
}

} // namespace
} // namespace zv
