// The .shp/.shx writer: what it writes is read back by shapelib, the
// independent reference; failures leave no file.
#include "zvk_file_shp/shp_writer.h"

#include "kit/scratch_folder.h"

#include <shapefil.h>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <string>
#include <vector>

namespace
{

using zv::test::scratch_folder;
using zv::zvk_file_shp::writer;

// The file as shapelib reads it: "file <type> <bounds>", then per record
// "type|part starts|x,y x,y ...".
std::vector<std::string> shapelib_dump(const std::string& base)
{
    SHPHandle shp = SHPOpen(base.c_str(), "rb");
    if (shp == nullptr)
        return {"<not opened>"};
    int count = 0, type = 0;
    double lo[4], hi[4];
    SHPGetInfo(shp, &count, &type, lo, hi);
    char text[128];
    std::snprintf(text, sizeof text, "file %d %g,%g,%g,%g", type, lo[0], lo[1], hi[0], hi[1]);
    std::vector<std::string> out{text};
    for (int i = 0; i < count; ++i) {
        SHPObject* s = SHPReadObject(shp, i);
        if (s == nullptr) {
            out.push_back("<damaged>");
            continue;
        }
        std::string line = std::to_string(s->nSHPType) + "|";
        for (int p = 0; p < s->nParts; ++p)
            line += std::to_string(s->panPartStart[p]) + ",";
        line += "|";
        for (int v = 0; v < s->nVertices; ++v) {
            std::snprintf(text, sizeof text, "%g,%g ", s->padfX[v], s->padfY[v]);
            line += text;
        }
        out.push_back(line);
        SHPDestroyObject(s);
    }
    SHPClose(shp);
    return out;
}

const std::vector<zv_vertex_d2> square{{0, 0}, {0, 4}, {4, 4}, {4, 0}, {0, 0}};

// Each record layout with a record of two vertices and a null record; then
// a polygon with a hole keeps its ring starts (polylines and polygons share
// the writer's branches).
TEST(ShpWriter, EveryRecordLayoutReadsBackWithShapelib)
{
    const std::vector<std::vector<std::string>> expected{
        // the type is the first record's
        {"file 1 -7.5,3,-7.5,3", "1||-7.5,3 ", "0||"},
        {"file 8 -7.5,3,0.25,9", "8||-7.5,3 0.25,9 ", "0||"},
        {"file 3 -7.5,3,0.25,9", "3|0,|-7.5,3 0.25,9 ", "0||"},
    };
    scratch_folder dir;
    const std::vector<std::uint32_t> one_part{0};
    for (const auto& want : expected) {
        const std::int32_t type = want[1][0] - '0';
        const std::string base = dir.file("t" + std::to_string(type));
        writer w;
        ASSERT_TRUE(w.create(base, type));
        ASSERT_TRUE(w.add(std::vector<zv_vertex_d2>{{-7.5, 3}, {0.25, 9}}, one_part));
        ASSERT_TRUE(w.add({}, {}));
        ASSERT_TRUE(w.commit());
        EXPECT_EQ(shapelib_dump(base), want);
    }
    std::vector<zv_vertex_d2> holed = square;
    holed.insert(holed.end(), {{1, 1}, {2, 1}, {2, 2}, {1, 1}});
    const std::vector<std::uint32_t> two_rings{0, 5};
    writer w;
    ASSERT_TRUE(w.create(dir.file("holes"), ZV_SHP_POLYGON));
    ASSERT_TRUE(w.add(holed, two_rings));
    ASSERT_TRUE(w.commit());
    const auto dump = shapelib_dump(dir.file("holes"));
    ASSERT_EQ(dump.size(), 2u);
    EXPECT_EQ(dump[1].substr(0, 6), "5|0,5,");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"holes.shp", "holes.shx", "t1.shp", "t1.shx", "t3.shp",
                                                       "t3.shx", "t8.shp", "t8.shx"}));
}

TEST(ShpWriter, RefusedInputsAndDiscardLeaveNothing)
{
    scratch_folder dir;
    writer w;
    EXPECT_FALSE(w.create(dir.file("z"), ZV_SHP_POLYGONZ)) << "2-D types only";
    EXPECT_FALSE(w.add(square, {})) << "not created";
    ASSERT_TRUE(w.create(dir.file("t"), ZV_SHP_POLYLINE));
    const std::vector<std::uint32_t> falling{0, 3, 2}, late_first{1}, past_end{0, 6};
    for (const auto& starts : {std::vector<std::uint32_t>{}, falling, late_first, past_end})
        EXPECT_FALSE(w.add(square, starts)) << starts.size();
    w.discard();
    EXPECT_TRUE(dir.entries().empty());
    EXPECT_FALSE(w.create(dir.file("missing/t"), ZV_SHP_POINT));
    EXPECT_TRUE(dir.entries().empty());
}

// A .shp that may not grow as far as it needs, as on a full disk: the
// writer reports it, and neither target nor temporary is left.
TEST(ShpWriter, FailedWriteLeavesNoFile)
{
    scratch_folder dir;
    std::vector<zv_vertex_d2> many(200000, zv_vertex_d2{1, 2});
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1 << 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    writer w;
    bool ok = w.create(dir.file("big"), ZV_SHP_MULTIPOINT);
    for (int i = 0; ok && i < 4; ++i)
        ok = w.add(many, {});
    ok = ok && w.commit();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(ok);
    w.discard();
    EXPECT_TRUE(dir.entries().empty());
}

} // namespace
