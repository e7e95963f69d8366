// The .shp/.shx writer: what it writes is read back by shapelib, the
// independent reference; refused inputs leave no file. Polylines and
// polygons of several parts are read back with pyshp, and a write that runs
// out of space is injected, in the gc64lib tests.
#include "zvk_file_shp/shp_writer.h"

#include "kit/scratch_folder.h"

#include <shapefil.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using zv::test::scratch_folder;
using zv::zvk_file_shp::writer;

// The file as shapelib reads it: "file <type> <bounds>", then per record
// "type|x,y x,y ..." (point and multipoint records have no parts).
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

// A point file (which takes the first vertex) and a multipoint file, each
// with a record of two vertices and a null record.
TEST(ShpWriter, PointsAndNullRecordsReadBackWithShapelib)
{
    const std::vector<std::vector<std::string>> expected{
        {"file 1 -7.5,3,-7.5,3", "1|-7.5,3 ", "0|"},
        {"file 8 -7.5,3,0.25,9", "8|-7.5,3 0.25,9 ", "0|"},
    };
    scratch_folder dir;
    for (const auto& want : expected) {
        const std::int32_t type = want[1][0] - '0';
        const std::string base = dir.file("t" + std::to_string(type));
        writer w;
        ASSERT_TRUE(w.create(base, type));
        ASSERT_TRUE(w.add(std::vector<zv_vertex_d2>{{-7.5, 3}, {0.25, 9}}, {}));
        ASSERT_TRUE(w.add({}, {}));
        ASSERT_TRUE(w.commit());
        EXPECT_EQ(shapelib_dump(base), want);
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"t1.shp", "t1.shx", "t8.shp", "t8.shx"}));
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

} // namespace
