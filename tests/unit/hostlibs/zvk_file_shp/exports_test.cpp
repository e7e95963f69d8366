// Shapefiles written by pyshp, read through the C functions and compared with
// what pyshp reads; damaged files fail cleanly. Header damage that shapelib
// refuses as well is the fuzz target's. Z and M types share the decoder's
// branches with the plain types (the gc64lib tests read a Z polygon).
#include "host/zvk_file_shp.h"
#include "kit/command.h"
#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <filesystem>

namespace
{

using zv::test::scratch_folder;
using zv::test::u16;

// One shapefile per record layout, some with a null record among their records;
// "big" is larger than the reader's 1 MiB window, its last record alone too.
const char* const pyshp_writer = R"(
import sys, shapefile as s
steps = [[[[i + k * 0.5, i - k * 0.25] for k in range(97)]] for i in range(900)]
steps.append([[[k * 0.001, -k * 0.002] for k in range(70001)]])
line = [[[500000.5, 6200000.25], [500100, 6200050], [500200.125, 6199990]], [[10, 20], [30, 40]]]
ring = [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]], [[2, 2], [4, 2], [4, 4], [2, 4], [2, 2]]]
patch = [[[0, 0, 0], [1, 0, 0], [1, 1, 0]], [[5, 5, 1], [6, 5, 1], [6, 6, 1]]]
files = {
    'point': (s.POINT, [lambda w: w.point(37.5, 55.75), lambda w: w.null()]),
    'line': (s.POLYLINE, [lambda w: w.line(line), lambda w: w.null(), lambda w: w.line([[[1, 1], [2, 3]]])]),
    'polygon': (s.POLYGON, [lambda w: w.poly(ring)]),
    'multipoint': (s.MULTIPOINT, [lambda w: w.multipoint([[1, 2], [3, 4], [5, 6]])]),
    'multipatch': (s.MULTIPATCH, [lambda w: w.multipatch(patch, partTypes=[s.TRIANGLE_STRIP, s.TRIANGLE_FAN])]),
    'big': (s.POLYLINE, [lambda w, p=p: w.line(p) for p in steps]),
}
for name, (kind, shapes) in files.items():
    w = s.Writer(sys.argv[1] + '/' + name, shapeType=kind)
    w.field('ID', 'N', 5)
    for i, add in enumerate(shapes):
        add(w)
        w.record(i)
    w.close()
)";

// Every record as "type|part sizes|point count|box|x,y;x,y" as pyshp reads
// it (a point's box is the point; a null record has none).
const char* const pyshp_dump = R"(
import sys, shapefile
r = shapefile.Reader(sys.argv[1])
print(r.shapeType, len(r))
for s in r.iterShapes():
    if hasattr(s, 'parts') and s.shapeType not in (1, 8):
        bounds = list(s.parts) + [len(s.points)]
        sizes = [bounds[i + 1] - bounds[i] for i in range(len(s.parts))]
    else:
        sizes = [len(s.points)] if s.points else []
    box = getattr(s, 'bbox', None) or (s.points[0] * 2 if s.points else [])
    pts = ';'.join('%.17g,%.17g' % (p[0], p[1]) for p in s.points)
    print('%d|%s|%d|%s|%s' % (s.shapeType, ','.join(str(n) for n in sizes), len(s.points),
                              ','.join('%.17g' % v for v in box), pts))
)";

// The same dump made through our library; a damaged record is "<damaged>".
std::string our_dump_of(const std::u16string& path)
{
    zv_shp_file_t f = zv_shp_file_open_w(path.c_str(), true);
    if (f == nullptr)
        return "<not opened>";
    zv_ov_d2_t parts = zv_ov_d2_create();
    std::string out =
        std::to_string(zv_shp_file_get_type(f)) + " " + std::to_string(zv_shp_file_get_no(f)) + "\n";
    for (uint32_t i = 0; i < zv_shp_file_get_no(f); ++i) {
        zv_shp_record_header h{};
        if (!zv_shp_file_get_obj(f, i, &h)) {
            out += "<damaged>\n";
            continue;
        }
        EXPECT_EQ(h.index, i);
        EXPECT_EQ(zv_shp_file_get_polypoint(f, &h, parts), h.shape_type != ZV_SHP_NULL);
        EXPECT_EQ(h.part_count, zv_ov_d2_get_size(parts));
        std::string sizes, points;
        for (uint32_t p = 0; p < zv_ov_d2_get_size(parts); ++p) {
            const zv_pv_d2_t part = zv_ov_d2_get_pv_ptr(parts, p);
            sizes += (p > 0 ? "," : "") + std::to_string(zv_pv_d2_get_size(part));
            for (uint32_t v = 0; v < zv_pv_d2_get_size(part); ++v) {
                char text[64];
                std::snprintf(text, sizeof text, "%.17g,%.17g", zv_pv_d2_get_vtx(part, v).x,
                              zv_pv_d2_get_vtx(part, v).y);
                points += (points.empty() ? "" : ";") + std::string(text);
            }
        }
        char box[128] = "";
        if (h.shape_type != ZV_SHP_NULL)
            std::snprintf(box, sizeof box, "%.17g,%.17g,%.17g,%.17g", h.xmin, h.ymin, h.xmax, h.ymax);
        out += std::to_string(h.shape_type) + "|" + sizes + "|" + std::to_string(h.point_count) + "|" + box +
               "|" + points + "\n";
    }
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(f);
    return out;
}

class ShpFiles : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        folder = new scratch_folder;
        const auto written = zv::test::run_python(pyshp_writer, {folder->path().string()});
        ASSERT_TRUE(written.ok()) << written.output;
    }
    static void TearDownTestSuite() { delete folder; }
    static inline scratch_folder* folder = nullptr;
};

TEST_F(ShpFiles, EveryShapeTypeReadsAsPyshpReadsIt)
{
    // Opened by the name with the extension in upper case: the files are found
    // (a .shx in capitals beside its .shp: the profile tests' CAPS set).
    for (const std::string name : {"point", "line", "polygon", "multipoint", "multipatch", "big"})
        EXPECT_EQ(our_dump_of(u16(folder->file(name + ".SHP"))),
                  zv::test::run_python(pyshp_dump, {folder->file(name + ".shp")}).output)
            << name;
}

// The header is the record callers fill: it starts with the shape type.
static_assert(offsetof(zv_shp_record_header, shape_type) == 0);

// Opened by a backslashed path without extension. A header of another
// record makes get_polypoint read that record (that a read replaces the
// vector's content, and a null record empties it, shows in the comparison
// with pyshp).
TEST_F(ShpFiles, PolypointReadsTheRecordOfTheHeaderGiven)
{
    zv_shp_file_t f = zv_shp_file_open_w(zv::test::backslashed(folder->file("line")).c_str(), true);
    ASSERT_NE(f, nullptr);
    zv_shp_record_header h{}, last{};
    zv_ov_d2_t parts = zv_ov_d2_create();
    ASSERT_TRUE(zv_shp_file_get_obj(f, 0, &h));
    ASSERT_TRUE(zv_shp_file_get_obj(f, 2, &last));
    ASSERT_TRUE(zv_shp_file_get_polypoint(f, &h, parts));
    ASSERT_TRUE(zv_shp_file_get_polypoint(f, &last, parts));
    ASSERT_EQ(zv_ov_d2_get_size(parts), 1u);
    EXPECT_EQ(zv_pv_d2_get_vtx(zv_ov_d2_get_pv_ptr(parts, 0), 1).y, 3.0);

    EXPECT_FALSE(zv_shp_file_get_obj(f, 3, &h));
    EXPECT_FALSE(zv_shp_file_get_obj(f, 0, nullptr));
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(f);
}

// Damaged copies of pyshp's line.shp (three records, the second null): which
// records read, "+" for a good record and "-" for a damaged one.
TEST_F(ShpFiles, DamagedRecordsFailAloneDamagedHeadersAndNullHandlesDoNotOpen)
{
    scratch_folder dir;
    const std::string shp = zv::test::read_bytes(folder->file("line.shp"));
    const std::string shx = zv::test::read_bytes(folder->file("line.shx"));
    const auto readable = [&](const std::string& new_shp, const std::string& new_shx) {
        zv::test::write_bytes(dir / "t.shp", new_shp);
        zv::test::write_bytes(dir / "t.shx", new_shx);
        const auto lines = zv::test::lines_of(our_dump_of(u16(dir.file("t.shp"))));
        std::string result = lines.at(0) == "<not opened>" ? "not opened" : "";
        for (std::size_t i = 1; i < lines.size(); ++i)
            result += lines[i] == "<damaged>" ? "-" : "+";
        return result;
    };
    using namespace std::string_view_literals;
    const auto with = [](std::string bytes, std::size_t at, std::string_view put) {
        return bytes.replace(at, put.size(), put);
    };
    EXPECT_EQ(readable(shp, shx), "+++") << "intact";
    EXPECT_EQ(readable(shp, shx + std::string(8, '\0')), "+++") << "bytes after the index are ignored";
    EXPECT_EQ(readable(shp.substr(0, shp.size() - 1), shx), "++-") << "last record cut";
    EXPECT_EQ(readable("", shx), "not opened");
    EXPECT_EQ(readable(shp, with(shx, 100, "\x7F"sv)), "-++") << "offset past the end of the .shp";
    EXPECT_EQ(readable(with(shp, 104, "\x7F"sv), shx), "-++") << "content length past the end";
    // What shapelib opens but no writer makes.
    EXPECT_EQ(readable(with(shp, 0, "\x00\x00\x27\x0B"sv), shx), "not opened") << ".shp file code";
    EXPECT_EQ(readable(shp, with(shx, 32, "\x02"sv)), "not opened") << "unknown shape type";
    EXPECT_EQ(readable(with(shp, 32, "\x05"sv), shx), "not opened") << "types disagree";
    EXPECT_EQ(readable(shp, with(shx, 24, "\x00\x00\x00\x31"sv)), "not opened")
        << ".shx length below its header";
    std::filesystem::remove(dir / "t.shx");
    EXPECT_EQ(zv_shp_file_open_w(u16(dir.file("t.shp")).c_str(), true), nullptr) << "no .shx (or no file)";
    EXPECT_EQ(zv_shp_file_open_w(nullptr, true), nullptr);
    EXPECT_EQ(zv_shp_file_get_type(nullptr), -1);
    EXPECT_EQ(zv_shp_file_get_no(nullptr), 0u);
    zv_shp_record_header h{};
    EXPECT_FALSE(zv_shp_file_get_obj(nullptr, 0, &h));
    const zv_ov_d2_t parts = zv_ov_d2_create();
    EXPECT_FALSE(zv_shp_file_get_polypoint(nullptr, &h, parts));
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(nullptr);
}

} // namespace
