// The exported functions end to end: shapefiles written with shapelib, run
// through load, split, axes and rectangles as the polygon axes tool does, and
// the outputs read back with pyshp.
#include "host/zvk_gc64lib.h"

#include "gc_test_support.h"

#include <shapefil.h>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace zv::zvk_gc64lib
{
namespace
{

using test::backslashed;
using test::make_ring;
using test::scratch_folder;
using test::u16;

constexpr const char* wkt =
    "PROJCS[\"Pulkovo 1942 / Gauss-Kruger zone 12\",GEOGCS[\"Pulkovo 1942\"],UNIT[\"metre\",1]]";

// Owns the tables of one run.
struct tables {
    zv_gc_geom_table_t input = zv_gc_geom_table_create();
    zv_gc_geom_table_t parts = zv_gc_geom_table_create();
    zv_gc_geom_table_t longs = zv_gc_geom_table_create();
    zv_gc_geom_table_t shorts = zv_gc_geom_table_create();
    zv_gc_geom_table_t rects = zv_gc_geom_table_create();
    ~tables()
    {
        for (void* t : {rects, shorts, longs, parts, input})
            zv_gc_obj_destroy(t);
    }
};

// Record 0: the rotated 4 x 2 rectangle of the axes tests and, apart from it,
// the 10 x 4 box with a hole; record 1: the L-shape.
test::shapefile_input polygon_input()
{
    const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
    auto at = [&](double a, double b) { return point{1000 + a * c - b * s, 2000 + a * s + b * c}; };
    test::shapefile_input input;
    input.shp_type = SHPT_POLYGON;
    input.objects = {{{at(-2, -1), at(-2, 1), at(2, 1), at(2, -1), at(-2, -1)},
                      make_ring({0, 0, 0, 4, 10, 4, 10, 0, 0, 0}),
                      make_ring({1, 1, 3, 1, 3, 3, 1, 3, 1, 1})},
                     {make_ring({0, 0, 0, 3, 1, 3, 1, 1, 3, 1, 3, 0, 0, 0})}};
    input.names = {"Поле один", "Участок"};
    input.codes = {17, 42};
    return input;
}

double number(const std::string& text)
{
    return std::stod(text);
}

// "x,y" of a pyshp dump line.
point vertex(const std::string& text)
{
    const auto comma = text.find(',');
    return {number(text.substr(0, comma)), number(text.substr(comma + 1))};
}

std::string read_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool load(zv_gc_geom_table_t table, const std::string& path)
{
    return zv_gc_geom_table_load_shp(table, u16(path).c_str());
}

bool save(zv_gc_geom_table_t table, const std::string& path)
{
    return zv_gc_geom_table_save_shp(table, u16(path).c_str());
}

// Writes `input` as dir/in.* and loads it.
void load_input(const scratch_folder& dir, tables& t, const test::shapefile_input& input = polygon_input())
{
    test::write_shapefile(dir.file("in"), input);
    ASSERT_TRUE(load(t.input, dir.file("in.shp")));
}

std::vector<std::vector<std::string>> records_of(const std::string& shp,
                                                 const std::string& encoding = "utf-8")
{
    return test::lines_starting(test::pyshp_dump(shp, encoding), "record");
}

std::string run_tool_steps(const scratch_folder& dir, const std::string& name)
{
    test::write_shapefile(dir.file(name), polygon_input());
    std::ofstream(dir.file(name + ".prj")) << wkt;
    tables t;
    EXPECT_TRUE(load(t.input, dir.file(name + ".shp")));
    EXPECT_TRUE(zv_gc_geom_table_split_parts(t.input, t.parts));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.input), 2u);
    EXPECT_EQ(zv_gc_geom_table_get_size(t.parts), 3u);
    EXPECT_TRUE(zv_gc_geom_table_pgn_oriented_ls_axes2d(t.parts, t.longs, t.shorts));
    EXPECT_TRUE(zv_gc_geom_table_pgn_oriented_rect2d(t.parts, t.rects));
    EXPECT_TRUE(save(t.longs, dir.file(name + "_large_axes2d.shp")));
    EXPECT_TRUE(save(t.shorts, dir.file(name + "_small_axes2d.shp")));
    EXPECT_TRUE(save(t.rects, dir.file(name + "_rect2d.shp")));
    return dir.file(name);
}

TEST(Gc64libFiles, AxesAndRectanglesReadBackWithPyshp)
{
    scratch_folder dir;
    const std::string base = run_tool_steps(dir, "fields");
    const auto dump = test::pyshp_dump(base + "_large_axes2d.shp");
    ASSERT_FALSE(dump.empty());
    EXPECT_EQ(dump.front(), "type\t3");
    std::vector<std::string> names;
    for (const auto& f : test::lines_starting(dump, "field"))
        names.push_back(f[0]);
    EXPECT_EQ(names, (std::vector<std::string>{"SRC_OBJ", "SRC_PART", "NAME", "CODE", "LENGTH_1", "LENGTH"}));
    const auto records = test::lines_starting(dump, "record");
    ASSERT_EQ(records.size(), 3u);
    // Hand values: 4 (rectangle), 10 (box with hole), 3 sqrt2 (L-shape).
    const double lengths[] = {4.0, 10.0, 3 * std::sqrt(2.0)};
    const char* objects[] = {"0", "0", "1"};
    const char* part_numbers[] = {"0", "1", "0"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(records[i][0], objects[i]);
        EXPECT_EQ(records[i][1], part_numbers[i]);
        EXPECT_EQ(records[i][4], "src");
        EXPECT_NEAR(number(records[i][5]), lengths[i], 1e-6);
    }
    EXPECT_EQ(records[0][2], "Поле один");
    EXPECT_EQ(records[2][2], "Участок");
    EXPECT_EQ(records[2][3], "42");
    const auto shapes = test::lines_starting(dump, "shape");
    ASSERT_EQ(shapes.size(), 3u);
    ASSERT_EQ(shapes[2].size(), 4u); // type, parts, two vertices
    const point a = vertex(shapes[2][2]), b = vertex(shapes[2][3]);
    EXPECT_NEAR(a.x, -0.4, 1e-6);
    EXPECT_NEAR(a.y, 2.6, 1e-6);
    EXPECT_NEAR(b.x, 2.6, 1e-6);
    EXPECT_NEAR(b.y, -0.4, 1e-6);

    const auto shorts = test::pyshp_dump(base + "_small_axes2d.shp");
    const auto short_shapes = test::lines_starting(shorts, "shape");
    ASSERT_EQ(short_shapes.size(), 3u);
    // The box with a hole: the short axis runs north along x = 16/3.
    EXPECT_NEAR(vertex(short_shapes[1][2]).x, 16.0 / 3, 1e-6);
    EXPECT_NEAR(vertex(short_shapes[1][2]).y, 0.0, 1e-6);
    EXPECT_NEAR(vertex(short_shapes[1][3]).y, 4.0, 1e-6);

    const auto rects = test::pyshp_dump(base + "_rect2d.shp");
    EXPECT_EQ(rects.front(), "type\t5");
    const auto rect_records = test::lines_starting(rects, "record");
    ASSERT_EQ(rect_records.size(), 3u);
    // LENGTH, WIDTH, AZIMUTH, AREA after SRC_OBJ, SRC_PART, NAME, CODE, LENGTH_1.
    const double expected[3][4] = {
        {4, 2, 60, 8}, {10, 4, 90, 40}, {3 * std::sqrt(2.0), 2 * std::sqrt(2.0), 135, 12}};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_NEAR(number(rect_records[i][5 + k]), expected[i][k], 1e-6);
    const auto rect_shapes = test::lines_starting(rects, "shape");
    ASSERT_EQ(rect_shapes.size(), 3u);
    for (const auto& s : rect_shapes) {
        ASSERT_EQ(s.size(), 7u); // type, parts, five vertices
        EXPECT_EQ(s[2], s[6]);   // closed
        double twice = 0;
        for (std::size_t v = 2; v + 1 < s.size(); ++v) {
            const point p = vertex(s[v]), q = vertex(s[v + 1]);
            twice += p.x * q.y - q.x * p.y;
        }
        EXPECT_LT(twice, 0.0) << "outer rings run clockwise";
    }
}

// A Cyrillic base name works through every step.
TEST(Gc64libFiles, CompanionFilesAreCopied)
{
    scratch_folder dir;
    const std::string base = run_tool_steps(dir, "поля");
    for (const char* out : {"_large_axes2d", "_small_axes2d", "_rect2d"}) {
        EXPECT_EQ(read_text(base + out + ".prj"), wkt);
        EXPECT_EQ(read_text(base + out + ".cpg"), "UTF-8");
    }
    // The input's five files and five per output; no temporaries.
    const auto names = dir.entries();
    EXPECT_EQ(names.size(), 5u + 3 * 5u);
    for (const auto& name : names)
        EXPECT_EQ(name.find(".tmp."), std::string::npos) << name;
}

// Text stored in a single-byte code page comes out byte for byte, with the
// code page declared the same way as in the source.
TEST(Gc64libFiles, SourceCodePageIsKept)
{
    for (const std::string code_page : {"1251", "LDID/201"}) {
        scratch_folder dir;
        test::shapefile_input input = polygon_input();
        input.code_page = code_page;
        input.names = {"\xCF\xEE\xEB\xE5", "\xD3\xF7"}; // "Поле", "Уч" in windows-1251
        tables t;
        load_input(dir, t, input);
        ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_rect2d(t.input, t.rects));
        ASSERT_TRUE(save(t.rects, dir.file("out.shp")));
        const auto records = records_of(dir.file("out.shp"), "cp1251");
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0][2], "Поле");
        EXPECT_EQ(records[1][2], "Уч");
        const std::string dbf = read_text(dir.file("out.dbf"));
        ASSERT_GT(dbf.size(), 29u);
        if (code_page == "1251") {
            EXPECT_EQ(read_text(dir.file("out.cpg")), "1251");
        } else {
            EXPECT_FALSE(std::filesystem::exists(dir.file("out.cpg")));
            EXPECT_EQ(static_cast<unsigned char>(dbf[29]), 201) << "language driver byte";
        }
    }
}

TEST(Gc64libFiles, ShortTableLeavesLaterAttributesBlank)
{
    scratch_folder dir;
    test::shapefile_input input = polygon_input();
    input.dbf_records = 1;
    tables t;
    load_input(dir, t, input);
    ASSERT_TRUE(save(t.input, dir.file("copy.shp")));
    const auto records = records_of(dir.file("copy.shp"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0][2], "Поле один");
    EXPECT_EQ(records[1][0], "1");
    EXPECT_EQ(records[1][2], "");
    EXPECT_EQ(records[1][3], "None");
}

TEST(Gc64libFiles, UpperCaseFileNamesLoad)
{
    scratch_folder dir;
    test::write_shapefile(dir.file("lower"), polygon_input());
    for (const char* ext : {".shp", ".shx", ".dbf"})
        std::filesystem::rename(dir.file(std::string("lower") + ext), dir.file(std::string("UPPER") + ext));
    std::filesystem::rename(dir.file("UPPER.dbf"), dir.file("UPPER.DBF"));
    std::filesystem::rename(dir.file("UPPER.shp"), dir.file("UPPER.SHP"));
    std::ofstream(dir.file("UPPER.PRJ")) << wkt;
    tables t;
    ASSERT_TRUE(load(t.input, dir.file("UPPER.SHP")));
    ASSERT_TRUE(save(t.input, dir.file("copy.shp")));
    EXPECT_EQ(read_text(dir.file("copy.prj")), wkt);
    const auto records = records_of(dir.file("copy.shp"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1][2], "Участок");
}

TEST(Gc64libFiles, BackslashesSeparateFolders)
{
    scratch_folder dir;
    test::write_shapefile(dir.file("in"), polygon_input());
    std::ofstream(dir.file("in.prj")) << wkt;
    std::filesystem::create_directory(dir.file("out"));
    tables t;
    ASSERT_TRUE(zv_gc_geom_table_load_shp(t.input, backslashed(dir.file("in.shp")).c_str()));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.input), 2u);
    ASSERT_TRUE(zv_gc_geom_table_save_shp(t.input, backslashed(dir.file("out/copy.shp")).c_str()));
    for (const auto& name : dir.entries())
        EXPECT_EQ(name.find('\\'), std::string::npos) << name;
    for (const char* ext : {".shp", ".shx", ".dbf"})
        EXPECT_TRUE(std::filesystem::exists(dir.file("out/copy") + ext)) << ext;
    EXPECT_EQ(read_text(dir.file("out/copy.prj")), wkt) << "the .prj was found through the same path";
    EXPECT_EQ(records_of(dir.file("out/copy.shp")).size(), 2u);
}

TEST(Gc64libFiles, LinesSplitButYieldNoAxes)
{
    scratch_folder dir;
    test::shapefile_input input;
    input.shp_type = SHPT_ARC;
    input.objects = {{make_ring({0, 0, 1, 1}), make_ring({2, 2, 3, 3, 4, 2})}};
    input.code_page.clear();
    tables t;
    load_input(dir, t, input);
    ASSERT_TRUE(zv_gc_geom_table_split_parts(t.input, t.parts));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.parts), 2u);
    ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_ls_axes2d(t.parts, t.longs, t.shorts));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.longs), 0u);
    ASSERT_TRUE(save(t.parts, dir.file("roads_parts.shp")));
    ASSERT_TRUE(save(t.longs, dir.file("roads_axes.shp")));
    const auto parts = test::pyshp_dump(dir.file("roads_parts.shp"));
    ASSERT_EQ(test::lines_starting(parts, "shape").size(), 2u);
    EXPECT_EQ(test::lines_starting(parts, "shape")[1][2], "2.000000000,2.000000000");
    EXPECT_EQ(test::lines_starting(parts, "record")[1][1], "1");
    const auto axes = test::pyshp_dump(dir.file("roads_axes.shp"));
    EXPECT_EQ(axes.front(), "type\t3");
    EXPECT_TRUE(test::lines_starting(axes, "record").empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("roads_parts.prj")));
}

TEST(Gc64libFiles, PolygonsWithHeightsAreMeasuredInTwoDimensions)
{
    scratch_folder dir;
    test::shapefile_input input = polygon_input();
    input.shp_type = SHPT_POLYGONZ;
    tables t;
    load_input(dir, t, input);
    ASSERT_TRUE(zv_gc_geom_table_split_parts(t.input, t.parts));
    ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_rect2d(t.parts, t.rects));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.rects), 3u);
    ASSERT_TRUE(save(t.parts, dir.file("parts.shp")));
    EXPECT_EQ(test::pyshp_dump(dir.file("parts.shp")).front(), "type\t5");
}

TEST(Gc64libFiles, MultipatchesLoadButAreNotSaved)
{
    scratch_folder dir;
    test::shapefile_input input = polygon_input();
    input.shp_type = SHPT_MULTIPATCH;
    tables t;
    load_input(dir, t, input);
    ASSERT_TRUE(zv_gc_geom_table_split_parts(t.input, t.parts));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.parts), 2u); // surfaces stay whole
    ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_rect2d(t.parts, t.rects));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.rects), 0u);
    const auto before = dir.entries();
    EXPECT_FALSE(save(t.parts, dir.file("out.shp")));
    EXPECT_EQ(dir.entries(), before);
}

TEST(Gc64libFailures, SaveIntoAMissingFolderOrOverAFolderLeavesNothing)
{
    scratch_folder dir;
    tables t;
    load_input(dir, t);
    const auto before = dir.entries();
    EXPECT_FALSE(save(t.input, dir.file("missing/out.shp")));
    EXPECT_EQ(dir.entries(), before);
    // A folder named like the output table stops the rename of the .dbf
    // after the .shx has been put in place.
    std::filesystem::create_directories(dir.file("out.dbf/keep"));
    EXPECT_FALSE(save(t.input, dir.file("out.shp")));
    for (const auto& name : dir.entries())
        EXPECT_TRUE(name.rfind("in.", 0) == 0 || name == "out.dbf") << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("out.dbf/keep")));
}

// Files may not grow as far as the .dbf needs: its last records, written
// only when the table is committed, fail as on a full disk. The save must
// notice, leave no temporary behind and the previous output untouched.
TEST(Gc64libFailures, SaveThatRunsOutOfSpaceLeavesNothing)
{
    scratch_folder dir;
    tables t;
    load_input(dir, t);
    ASSERT_TRUE(zv_gc_geom_table_split_parts(t.input, t.parts));
    ASSERT_TRUE(zv_gc_geom_table_pgn_oriented_rect2d(t.parts, t.rects));
    ASSERT_TRUE(save(t.rects, dir.file("probe.shp")));
    const auto dbf_size = std::filesystem::file_size(dir.file("probe.dbf"));
    ASSERT_LT(std::filesystem::file_size(dir.file("probe.shp")) + 20, dbf_size);
    const auto before = dir.entries();

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = dbf_size - 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string old_dbf = read_text(dir.file("probe.dbf"));
    const bool saved_ok = save(t.rects, dir.file("probe.shp"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(dir.entries(), before);
    EXPECT_EQ(read_text(dir.file("probe.dbf")), old_dbf) << "the previous output stays as it was";
}

TEST(Gc64libFailures, DamagedInputsFailCleanly)
{
    scratch_folder dir;
    test::write_shapefile(dir.file("good"), polygon_input());
    const auto shp_size = std::filesystem::file_size(dir.file("good.shp"));
    const auto dbf_size = std::filesystem::file_size(dir.file("good.dbf"));
    tables t;
    ASSERT_TRUE(load(t.input, dir.file("good.shp")));

    std::filesystem::resize_file(dir.file("good.shp"), shp_size - 40);
    EXPECT_FALSE(load(t.input, dir.file("good.shp")));
    EXPECT_EQ(zv_gc_geom_table_get_size(t.input), 0u);
    EXPECT_FALSE(save(t.input, dir.file("never.shp")));

    test::write_shapefile(dir.file("good"), polygon_input());
    std::filesystem::resize_file(dir.file("good.dbf"), dbf_size - 30);
    EXPECT_FALSE(load(t.input, dir.file("good.shp")));

    std::ofstream(dir.file("junk.shp"), std::ios::binary) << std::string(300, '\x7f');
    std::ofstream(dir.file("junk.shx"), std::ios::binary) << std::string(120, '\x01');
    EXPECT_FALSE(load(t.input, dir.file("junk.shp")));
    EXPECT_FALSE(load(t.input, dir.file("absent.shp")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("never.shp")));
}

TEST(Gc64libFailures, NullAndInvalidArgumentsAreRefused)
{
    tables t;
    const char16_t lone_surrogate[] = {u'a', 0xD800, u'.', u's', 0};
    EXPECT_FALSE(zv_gc_geom_table_load_shp(nullptr, u"x.shp"));
    EXPECT_FALSE(zv_gc_geom_table_load_shp(t.input, nullptr));
    EXPECT_FALSE(zv_gc_geom_table_load_shp(t.input, u""));
    EXPECT_FALSE(zv_gc_geom_table_load_shp(t.input, lone_surrogate));
    EXPECT_FALSE(zv_gc_geom_table_save_shp(nullptr, u"x.shp"));
    EXPECT_FALSE(zv_gc_geom_table_save_shp(t.input, u"never_loaded.shp"));
    EXPECT_FALSE(zv_gc_geom_table_split_parts(t.input, nullptr));
    EXPECT_FALSE(zv_gc_geom_table_pgn_oriented_ls_axes2d(t.input, t.longs, t.longs));
    EXPECT_FALSE(zv_gc_geom_table_pgn_oriented_ls_axes2d(t.input, nullptr, t.shorts));
    EXPECT_FALSE(zv_gc_geom_table_pgn_oriented_rect2d(nullptr, t.rects));
    EXPECT_EQ(zv_gc_geom_table_get_size(nullptr), 0u);
    zv_gc_obj_destroy(nullptr);
    EXPECT_FALSE(std::filesystem::exists("never_loaded.shp"));
}

} // namespace
} // namespace zv::zvk_gc64lib
