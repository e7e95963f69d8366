#include "plugin/app/tos_graph_x2y_app/tos_graph.h"

#include <gtest/gtest.h>

#include <filesystem>
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

// A graph that folds back (0..10, then back to 4) and has a second part
// 12..14; Y by hand at each X: the first segment in the file that holds X.
// No-data where X is no-data, infinite, in the gap or outside, whatever Y
// held; the other properties stay as they were.
TEST_F(OatGraph, ResultPropertyIsRewrittenWholeFromTheGraph)
{
    const std::string graph = write_graph("graph", {"0 0 10 50 4 80|12 0 14 10"});
    const std::vector<std::pair<std::string, std::string>> x_to_y = {
        {"0", "0"}, {"2.5", "12.5"}, {"4", "20"},     {"7.25", "36.25"}, {"10", "50"},
        {"11", ""}, {"12", "0"},     {"13.5", "7.5"}, {"14", "10"},      {"15", ""},
        {"-1", ""}, {"", ""},        {"inf", ""},     {"-inf", ""},      {"0.1", "0.5"}};
    std::string before = "SRC,RES,KEEP\r\n", after = before;
    for (std::size_t i = 0; i < x_to_y.size(); ++i) {
        before += x_to_y[i].first + ",5.5," + std::to_string(i) + "\r\n";
        after += x_to_y[i].first + "," + x_to_y[i].second + "," + std::to_string(i) + "\r\n";
    }
    const std::string data = write_data(before);
    const std::string graph_bytes = test::read_bytes(graph);

    ASSERT_TRUE(tos_run_graph({backslashed(data), u"SRC", u"RES", backslashed(graph)}));
    EXPECT_EQ(data_as_csv(), after);
    EXPECT_EQ(test::read_bytes(graph), graph_bytes);
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
    EXPECT_EQ(data_as_csv(), "SRC,RES,KEEP\r\n0.5,5,1\r\n");

    // A data file without objects is read and written with a count of 0.
    const std::u16string empty = backslashed(write_data("SRC,RES,KEEP\r\n"));
    messages.boxes.clear();
    EXPECT_TRUE(tos_run_graph({empty, u"SRC", u"RES", graph}));
    EXPECT_EQ(messages.boxes.size(), 1u);
}

} // namespace
} // namespace zv
