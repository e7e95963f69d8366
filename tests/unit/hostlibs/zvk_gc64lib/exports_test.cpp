// The exported functions end to end: shapefiles written with shapelib, run
// through load, split, axes and rectangles as the polygon axes tool does, and
// the outputs read back with pyshp.
#include "host/zvk_gc64lib.h"

#include "geom_table.h"
#include "kit/command.h"
#include "kit/file_faults.h"
#include "kit/scratch_folder.h"

#include <shapefil.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace zv::zvk_gc64lib
{
namespace
{

namespace fs = std::filesystem;
using zv::test::read_bytes;
using zv::test::scratch_folder;
using zv::test::u16;

constexpr const char* wkt =
    "PROJCS[\"Pulkovo 1942 / Gauss-Kruger zone 12\",GEOGCS[\"Pulkovo 1942\"],UNIT[\"metre\",1]]";

// An input shapefile: objects as lists of parts, a NAME and a CODE per object,
// the .dbf's code page. (Source fields clashing with ours: dbf_output_test.cpp.)
struct shapefile_input {
    int shp_type = SHPT_POLYGON;
    std::vector<std::vector<ring>> objects;
    std::vector<std::string> names;
    std::vector<int> codes;
    std::string code_page = "UTF-8";
};

// Writes the input with shapelib as base.shp/.shx/.dbf.
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
    DBFHandle dbf = DBFCreateEx((base + ".dbf").c_str(), input.code_page.c_str());
    ASSERT_NE(dbf, nullptr);
    DBFAddField(dbf, "NAME", FTString, 24, 0);
    DBFAddField(dbf, "CODE", FTInteger, 6, 0);
    for (int i = 0; i < static_cast<int>(input.objects.size()); ++i) {
        DBFWriteStringAttribute(dbf, i, 0, input.names.at(static_cast<std::size_t>(i)).c_str());
        DBFWriteIntegerAttribute(dbf, i, 1, input.codes.at(static_cast<std::size_t>(i)));
    }
    DBFClose(dbf);
}

// A shapefile as pyshp reads it, one line per item: "type" with the shape type
// and the field names; "record" with the values joined by '|'; "shape" with the
// type, the part starts and "x,y" per vertex, or for a polygon its vertex count,
// whether its rings are closed and its signed area. Numbers rounded to 1e-6.
std::string pyshp_dump(const std::string& shp_path, const std::string& encoding = "utf-8")
{
    const auto result = zv::test::run_python(R"PY(
import sys, shapefile
sys.stdout.reconfigure(encoding='utf-8')
f = lambda v: '%.6f' % (round(v, 6) + 0.0) if isinstance(v, float) else str(v)
r = shapefile.Reader(sys.argv[1], encoding=sys.argv[2])
print('type', r.shapeType, *[fd[0] for fd in r.fields[1:]])
for rec in r.records():
    print('record', '|'.join(f(v) for v in rec))
for s in r.shapes():
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
                                             {shp_path, encoding});
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

bool load(zv_gc_geom_table_t table, const std::string& path)
{
    return zv_gc_geom_table_load_shp(table, u16(path).c_str());
}

bool save(zv_gc_geom_table_t table, const std::string& path)
{
    return zv_gc_geom_table_save_shp(table, u16(path).c_str());
}

// Record 0: a 4 x 2 rectangle turned to azimuth 60 and, apart from it, the
// 10 x 4 box with a hole; record 1: the L-shape (as in principal_axes_test.cpp).
shapefile_input polygon_input()
{
    const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
    auto at = [&](double a, double b) { return point{1000 + a * c - b * s, 2000 + a * s + b * c}; };
    shapefile_input input;
    input.objects = {{{at(-2, -1), at(-2, 1), at(2, 1), at(2, -1), at(-2, -1)},
                      {{0, 0}, {0, 4}, {10, 4}, {10, 0}, {0, 0}},
                      {{1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}}},
                     {{{0, 0}, {0, 3}, {1, 3}, {1, 1}, {3, 1}, {3, 0}, {0, 0}}}};
    input.names = {"Поле один", "Участок"};
    input.codes = {17, 42};
    return input;
}

void load_input(const scratch_folder& dir, tables& t, const shapefile_input& input = polygon_input())
{
    write_shapefile(dir.file("in"), input);
    ASSERT_TRUE(load(t.input, dir.file("in.shp")));
}

// The tool's steps on files under a Cyrillic base name, with a .prj, upper-case
// extensions and backslashed paths; windows-1251 text, named by the .dbf's
// driver byte, comes out byte for byte, declared the same way. The long axes
// replace their input table (their records are those of the rectangles,
// their lengths polygon_ops_test.cpp's). Rectangles, worked out as in principal_axes_test.cpp
// (whose axes are not compared again here): 4 x 2 turned to azimuth 60, the box
// with a hole 10 x 4, the L-shape 3 sqrt2 x 2 sqrt2 at azimuth 135; clockwise.
TEST(Gc64libFiles, AxesAndRectanglesReadBackWithPyshp)
{
    scratch_folder dir;
    const std::string base = dir.file("поля");
    shapefile_input input = polygon_input();
    input.code_page = "LDID/201";
    input.names = {"\xCF\xEE\xEB\xE5 \xEE\xE4\xE8\xED", "\xD3\xF7\xE0\xF1\xF2\xEE\xEA"};
    write_shapefile(base, input);
    fs::rename(base + ".shp", base + ".SHP");
    fs::rename(base + ".dbf", base + ".DBF");
    std::ofstream(base + ".PRJ") << wkt;
    tables t;
    ASSERT_TRUE(zv_gc_geom_table_load_shp(t.input, zv::test::backslashed(base + ".SHP").c_str()));
    ASSERT_TRUE(zv_gc_geom_table_split_parts(t.input, t.parts));
    ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_rect2d(t.parts, t.rects));
    ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_ls_axes2d(t.parts, t.parts, t.shorts));
    const std::pair<zv_gc_geom_table_t, const char*> outputs[] = {
        {t.parts, "_large_axes2d"}, {t.shorts, "_small_axes2d"}, {t.rects, "_rect2d"}};
    for (const auto& [table, suffix] : outputs) {
        ASSERT_TRUE(zv_gc_geom_table_save_shp(table, zv::test::backslashed(base + suffix + ".shp").c_str()));
        EXPECT_EQ(read_bytes(base + suffix + ".prj"), wkt);
        EXPECT_EQ(static_cast<unsigned char>(read_bytes(base + suffix + ".dbf").at(29)), 201)
            << "driver byte";
    }
    EXPECT_EQ(pyshp_dump(base + "_rect2d.shp", "cp1251"),
              R"(type 5 SRC_OBJ SRC_PART NAME CODE LENGTH WIDTH AZIMUTH AREA
record 0|0|Поле один|17|4.000000|2.000000|60.000000|8.000000
record 0|1|Поле один|17|10.000000|4.000000|90.000000|40.000000
record 1|0|Участок|42|4.242641|2.828427|135.000000|12.000000
shape 5 [0] 5 closed -8.000000
shape 5 [0] 5 closed -40.000000
shape 5 [0] 5 closed -12.000000
)");
    // Four files in and four out each, no .cpg; no temporaries, no backslash.
    const auto entries = dir.entries();
    EXPECT_EQ(entries.size(), 4u + 3 * 4u);
    for (const auto& name : entries)
        EXPECT_TRUE(name.find(".tmp.") == std::string::npos && name.find('\\') == std::string::npos) << name;
}

// Lines load as lines and polygons with heights as polygons, saved in two
// dimensions with their parts as they were and the source's .cpg; multipatches
// load but are not saved, and leave nothing. Rectangles computed in place
// pass over what is not a polygon. (Splitting is geom_table_test.cpp's.)
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
            EXPECT_EQ(read_bytes(dir.file("out.cpg")), "UTF-8");
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
