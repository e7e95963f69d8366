// The exported functions on shapefiles written with shapelib: shape types
// other than the polygon, failed saves and loads, refused arguments. The
// tool's own steps on real data are polygon_e2e.py's.
#include "host/zvk_gc64lib.h"

#include "geom_table.h"
#include "kit/command.h"
#include "kit/file_faults.h"
#include "kit/scratch_folder.h"

#include <shapefil.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace zv::zvk_gc64lib
{
namespace
{

namespace fs = std::filesystem;
using zv::test::read_bytes;
using zv::test::scratch_folder;

// An input shapefile: objects as lists of parts. (Source fields of every
// kind and clashing with ours: dbf_output_test.cpp.)
struct shapefile_input {
    int shp_type = SHPT_POLYGON;
    std::vector<std::vector<ring>> objects;
};

// Writes the input with shapelib as base.shp/.shx/.dbf, the table in 1251
// named by its driver byte alone, a NAME per object.
void write_shapefile(const std::string& base, const shapefile_input& input)
{
    SHPHandle shp = SHPCreate((base + ".shp").c_str(), input.shp_type);
    ASSERT_NE(shp, nullptr);
    for (const auto& parts : input.objects) {
        std::vector<int> starts;
        std::vector<double> xs, ys;
        for (const ring& r : parts) {
            starts.push_back(static_cast<int>(xs.size()));
            for (point p : r) {
                xs.push_back(p.x);
                ys.push_back(p.y);
            }
        }
        SHPObject* s =
            SHPCreateObject(input.shp_type, -1, static_cast<int>(starts.size()), starts.data(), nullptr,
                            static_cast<int>(xs.size()), xs.data(), ys.data(), nullptr, nullptr);
        SHPWriteObject(shp, -1, s);
        SHPDestroyObject(s);
    }
    SHPClose(shp);
    DBFHandle dbf = DBFCreateEx((base + ".dbf").c_str(), "LDID/201");
    ASSERT_NE(dbf, nullptr);
    DBFAddField(dbf, "NAME", FTString, 24, 0);
    for (int i = 0; i < static_cast<int>(input.objects.size()); ++i)
        DBFWriteStringAttribute(dbf, i, 0, "\xCF\xEE\xEB\xE5"); // "Поле"
    DBFClose(dbf);
}

// The shapes of a shapefile as pyshp reads them, one line each: the type, the
// part starts and "x,y" per vertex, or for a polygon its vertex count, whether
// its rings are closed and its signed area. Numbers rounded to 1e-6.
std::string pyshp_dump(const std::string& shp_path)
{
    const auto result = zv::test::run_python(R"PY(
import sys, shapefile
f = lambda v: '%.6f' % (round(v, 6) + 0.0)
for s in shapefile.Reader(sys.argv[1]).shapes():
    p = s.points
    if s.shapeType == 5:
        b = list(s.parts) + [len(p)]
        rings = [p[b[i]:b[i + 1]] for i in range(len(s.parts))]
        area = sum(a[0] * c[1] - c[0] * a[1] for r in rings for a, c in zip(r, r[1:])) / 2
        closed = all(r[0] == r[-1] for r in rings)
        print('shape 5', list(s.parts), len(p), 'closed' if closed else 'open', f(area))
    else:
        print('shape', s.shapeType, list(s.parts), *[f(a[0]) + ',' + f(a[1]) for a in p])
)PY",
                                             {shp_path});
    EXPECT_TRUE(result.ok()) << result.output;
    return result.output;
}

struct tables {
    zv_gc_geom_table_t input = zv_gc_geom_table_create();
    zv_gc_geom_table_t parts = zv_gc_geom_table_create();
    zv_gc_geom_table_t shorts = zv_gc_geom_table_create();
    zv_gc_geom_table_t rects = zv_gc_geom_table_create();
    ~tables()
    {
        for (void* t : {rects, shorts, parts, input})
            zv_gc_obj_destroy(t);
    }
};

// Paths as the module hands them over, with backslashes.
bool load(zv_gc_geom_table_t table, const std::string& path)
{
    return zv_gc_geom_table_load_shp(table, zv::test::backslashed(path).c_str());
}

bool save(zv_gc_geom_table_t table, const std::string& path)
{
    return zv_gc_geom_table_save_shp(table, zv::test::backslashed(path).c_str());
}

// Record 0: a 4 x 2 rectangle and, apart from it, the 10 x 4 box with a
// hole; record 1: the L-shape (as in principal_axes_test.cpp).
shapefile_input polygon_input()
{
    shapefile_input input;
    input.objects = {{{{1000, 2000}, {1000, 2002}, {1004, 2002}, {1004, 2000}, {1000, 2000}},
                      {{0, 0}, {0, 4}, {10, 4}, {10, 0}, {0, 0}},
                      {{1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}}},
                     {{{0, 0}, {0, 3}, {1, 3}, {1, 1}, {3, 1}, {3, 0}, {0, 0}}}};
    return input;
}

void load_input(const scratch_folder& dir, tables& t, const shapefile_input& input = polygon_input())
{
    write_shapefile(dir.file("in"), input);
    fs::rename(dir.file("in.dbf"), dir.file("in.DBF")); // found in any letter case
    ASSERT_TRUE(load(t.input, dir.file("in.shp")));
}

// The tool's steps on the sample fields, their records, attributes, .prj,
// .cpg and driver byte, are polygon_e2e.py's; the rectangles' values
// principal_axes_test.cpp's and polygon_ops_test.cpp's.
//
// Lines load as lines and polygons with heights as polygons, saved in two
// dimensions with their parts as they were and, for a table in 1251 named
// by its driver byte alone, the same byte and no .cpg; multipatches load
// but are not saved, and leave nothing. Rectangles computed in place pass
// over what is not a polygon. (Splitting is geom_table_test.cpp's.)
TEST(Gc64libFiles, OtherShapeTypesLoadAndSave)
{
    struct type_case {
        int type;
        const char* shapes; // as pyshp reads them; null when they cannot be saved
        std::uint32_t rects;
    };
    const type_case cases[] = {
        {SHPT_ARC,
         "shape 3 [0, 2] 0.000000,0.000000 1.000000,1.000000 2.000000,2.000000 3.000000,3.000000 "
         "4.000000,2.000000\n",
         0},
        {SHPT_POLYGONZ, "shape 5 [0, 5, 10] 15 closed -44.000000\nshape 5 [0] 7 closed -5.000000\n", 2},
        {SHPT_MULTIPATCH, nullptr, 0},
    };
    for (const type_case& c : cases) {
        SCOPED_TRACE(c.type);
        scratch_folder dir;
        shapefile_input input = polygon_input();
        input.shp_type = c.type;
        if (c.type == SHPT_ARC)
            input.objects = {{{{0, 0}, {1, 1}}, {{2, 2}, {3, 3}, {4, 2}}}};
        tables t;
        load_input(dir, t, input);
        EXPECT_EQ(zv_gc_geom_table_get_size(t.input), input.objects.size());
        const auto before = dir.entries();
        EXPECT_EQ(save(t.input, dir.file("out.shp")), c.shapes != nullptr);
        if (c.shapes != nullptr) {
            const std::string dump = pyshp_dump(dir.file("out.shp"));
            EXPECT_NE(dump.find(c.shapes), std::string::npos) << dump;
            EXPECT_EQ(static_cast<unsigned char>(read_bytes(dir.file("out.dbf")).at(29)), 201);
            EXPECT_FALSE(fs::exists(dir.file("out.cpg")));
        } else {
            EXPECT_EQ(dir.entries(), before);
        }
        ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_rect2d(t.input, t.input));
        EXPECT_EQ(zv_gc_geom_table_get_size(t.input), c.rects);
    }
}

// Failed saves leave no output and no temporary, and the previous output
// untouched: a folder named like the output's .dbf stops its rename into
// place; files may not grow as far as the .dbf needs (its last records,
// written only when the table is committed, fail as on a full disk). A save
// into a missing folder is the writer's test. A cut .shp fails the load and
// empties the table (arbitrary bytes are the fuzz target's).
TEST(Gc64libFailures, FailedSavesAndLoadLeaveNothing)
{
    scratch_folder dir;
    tables t;
    load_input(dir, t);
    ASSERT_TRUE(zv_gc_geom_table_split_parts(t.input, t.parts));
    ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_rect2d(t.parts, t.rects));
    fs::create_directories(dir.file("out.dbf/keep"));
    auto before = dir.entries();
    EXPECT_FALSE(save(t.rects, dir.file("out.shp")));
    EXPECT_EQ(dir.entries(), before);
    EXPECT_TRUE(fs::is_directory(dir.file("out.dbf/keep")));

    ASSERT_TRUE(save(t.rects, dir.file("probe.shp")));
    const auto dbf_size = fs::file_size(dir.file("probe.dbf"));
    ASSERT_LT(fs::file_size(dir.file("probe.shp")) + 20, dbf_size);
    before = dir.entries();
    const std::string old_dbf = read_bytes(dir.file("probe.dbf"));
    {
        const zv::test::file_size_limit full_disk(dbf_size - 10);
        EXPECT_FALSE(save(t.rects, dir.file("probe.shp")));
    }
    EXPECT_EQ(dir.entries(), before);
    EXPECT_EQ(read_bytes(dir.file("probe.dbf")), old_dbf) << "the previous output stays as it was";

    fs::resize_file(dir.file("in.shp"), fs::file_size(dir.file("in.shp")) - 30);
    EXPECT_FALSE(load(t.input, dir.file("in.shp")));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.input), 0u);
}

TEST(Gc64libFailures, NullAndInvalidArgumentsAreRefused)
{
    tables t;
    const char16_t lone_surrogate[] = {u'a', 0xD800, u'.', u's', 0};
    EXPECT_FALSE(zv_gc_geom_table_load_shp(nullptr, u"x.shp"));
    EXPECT_FALSE(zv_gc_geom_table_load_shp(t.input, nullptr));
    EXPECT_FALSE(zv_gc_geom_table_load_shp(t.input, lone_surrogate));
    EXPECT_FALSE(zv_gc_geom_table_save_shp(nullptr, u"x.shp"));
    EXPECT_FALSE(zv_gc_geom_table_save_shp(t.input, u"never_loaded.shp"));
    EXPECT_FALSE(zv_gc_geom_table_split_parts(t.input, nullptr));
    EXPECT_FALSE(zv_gc_geom_table_pgn_oriented_ls_axes2d(t.input, t.shorts, t.shorts));
    EXPECT_FALSE(zv_gc_geom_table_pgn_oriented_ls_axes2d(t.input, nullptr, t.shorts));
    EXPECT_FALSE(zv_gc_geom_table_pgn_oriented_rect2d(nullptr, t.rects));
    EXPECT_EQ(zv_gc_geom_table_get_size(nullptr), 0u);
    zv_gc_obj_destroy(nullptr);
    EXPECT_FALSE(fs::exists("never_loaded.shp"));
}

} // namespace
} // namespace zv::zvk_gc64lib
