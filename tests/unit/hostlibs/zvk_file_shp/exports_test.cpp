// Shapefiles written by pyshp and by shapelib's command-line tools, read
// through the C functions and compared with what pyshp reads from the same
// files; damaged files fail cleanly.
#include "../zvk_file_dbf/host_test_files.h"
#include "host/zvk_file_shp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace
{

using zv::test::scratch_folder;
using zv::test::u16;

// One shapefile per shape type, each with a null record among its records.
const char* const pyshp_writer = R"(
import sys, shapefile
folder = sys.argv[1]
def make(name, kind, shapes):
    w = shapefile.Writer(folder + '/' + name, shapeType=kind)
    w.field('ID', 'N', 5)
    for i, add in enumerate(shapes):
        add(w)
        w.record(i)
    w.close()
line = [[[500000.5, 6200000.25], [500100, 6200050], [500200.125, 6199990]],
        [[10, 20], [30, 40]]]
ring = [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]], [[2, 2], [4, 2], [4, 4], [2, 4], [2, 2]]]
make('point', shapefile.POINT, [lambda w: w.point(37.5, 55.75), lambda w: w.null()])
make('line', shapefile.POLYLINE, [lambda w: w.line(line), lambda w: w.null(),
                                  lambda w: w.line([[[1, 1], [2, 3]]])])
make('polygon', shapefile.POLYGON, [lambda w: w.poly(ring)])
make('multipoint', shapefile.MULTIPOINT, [lambda w: w.multipoint([[1, 2], [3, 4], [5, 6]])])
make('pointz', shapefile.POINTZ, [lambda w: w.pointz(1.25, 2.5, 300)])
make('linez', shapefile.POLYLINEZ, [lambda w: w.linez([[[1, 2, 3], [4, 5, 6]]])])
make('polygonm', shapefile.POLYGONM, [lambda w: w.polym([[[0, 0, 1], [0, 5, 2], [5, 5, 3], [0, 0, 1]]])])
make('multipointz', shapefile.MULTIPOINTZ, [lambda w: w.multipointz([[7, 8, 9]])])
make('pointm', shapefile.POINTM, [lambda w: w.pointm(4, 5, 6)])
make('linem', shapefile.POLYLINEM, [lambda w: w.linem([[[0, 1, 0], [1, 0, 1]]])])
make('polygonz', shapefile.POLYGONZ, [lambda w: w.polyz([[[0, 0, 1], [0, 5, 2], [5, 5, 3], [0, 0, 1]]])])
make('multipointm', shapefile.MULTIPOINTM, [lambda w: w.multipointm([[7, 8, 9]])])
make('multipatch', shapefile.MULTIPATCH,
     [lambda w: w.multipatch([[[0, 0, 0], [1, 0, 0], [1, 1, 0]], [[5, 5, 1], [6, 5, 1], [6, 6, 1]]],
                             partTypes=[shapefile.TRIANGLE_STRIP, shapefile.TRIANGLE_FAN])])
)";

// Every record as "type|part sizes|x,y;x,y" as pyshp reads it.
const char* const pyshp_dump = R"(
import sys, shapefile
r = shapefile.Reader(sys.argv[1])
print(r.shapeType, len(r))
for s in r.iterShapes():
    if hasattr(s, 'parts') and s.shapeType not in (1, 8, 11, 18, 21, 28):
        bounds = list(s.parts) + [len(s.points)]
        sizes = [bounds[i + 1] - bounds[i] for i in range(len(s.parts))]
    else:
        sizes = [len(s.points)] if s.points else []
    pts = ';'.join('%.17g,%.17g' % (p[0], p[1]) for p in s.points)
    print('%d|%s|%s' % (s.shapeType, ','.join(str(n) for n in sizes), pts))
)";

// The same dump made through our library.
std::string our_dump_of(const std::u16string& path)
{
    zv_shp_file_t f = zv_shp_file_open_w(path.c_str(), true);
    if (f == nullptr) {
        return "<not opened>";
    }
    zv_ov_d2_t parts = zv_ov_d2_create();
    std::string out =
        std::to_string(zv_shp_file_get_type(f)) + " " + std::to_string(zv_shp_file_get_no(f)) + "\n";
    for (uint32_t i = 0; i < zv_shp_file_get_no(f); ++i) {
        zv_shp_record_header h{};
        if (!zv_shp_file_get_obj(f, i, &h)) {
            out += "<damaged>\n";
            continue;
        }
        const bool has_parts = zv_shp_file_get_polypoint(f, &h, parts);
        EXPECT_EQ(has_parts, h.shape_type != ZV_SHP_NULL);
        std::string sizes, points;
        for (uint32_t p = 0; p < zv_ov_d2_get_size(parts); ++p) {
            const zv_pv_d2_t part = zv_ov_d2_get_pv_ptr(parts, p);
            sizes += (p > 0 ? "," : "") + std::to_string(zv_pv_d2_get_size(part));
            for (uint32_t v = 0; v < zv_pv_d2_get_size(part); ++v) {
                const zv_vertex_d2 xy = zv_pv_d2_get_vtx(part, v);
                char text[64];
                std::snprintf(text, sizeof text, "%.17g,%.17g", xy.x, xy.y);
                points += (points.empty() ? "" : ";") + std::string(text);
            }
        }
        EXPECT_EQ(h.part_count, zv_ov_d2_get_size(parts));
        out += std::to_string(h.shape_type) + "|" + sizes + "|" + points + "\n";
    }
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(f);
    return out;
}

std::string our_dump(const std::string& path)
{
    return our_dump_of(u16(path));
}

class ShpFiles : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        folder = new scratch_folder;
        ASSERT_TRUE(zv::test::run_python(pyshp_writer, {folder->path().string()}));
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    static std::string pyshp(const std::string& path)
    {
        const auto out = zv::test::run_python(pyshp_dump, {path});
        return out ? *out : "<pyshp failed>";
    }
    static scratch_folder* folder;
};
scratch_folder* ShpFiles::folder = nullptr;

TEST_F(ShpFiles, EveryShapeTypeReadsAsPyshpReadsIt)
{
    for (const char* name : {"point", "line", "polygon", "multipoint", "pointz", "linez", "polygonm",
                             "multipointz", "pointm", "linem", "polygonz", "multipointm", "multipatch"}) {
        const std::string path = folder->file(std::string(name) + ".shp");
        EXPECT_EQ(our_dump(path), pyshp(path)) << name;
    }
}

TEST_F(ShpFiles, PolylineHeaderAndParts)
{
    zv_shp_file_t f = zv_shp_file_open_w(u16(folder->file("line.shp")).c_str(), true);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(zv_shp_file_get_type(f), 3);
    EXPECT_EQ(zv_shp_file_get_no(f), 3u);
    zv_shp_record_header h{};
    ASSERT_TRUE(zv_shp_file_get_obj(f, 0, &h));
    int32_t first_word = 0;
    std::memcpy(&first_word, &h, sizeof first_word);
    EXPECT_EQ(first_word, 3) << "the header starts with the record's shape type";
    EXPECT_EQ(h.part_count, 2u);
    EXPECT_EQ(h.point_count, 5u);
    EXPECT_EQ(h.xmin, 10.0);
    EXPECT_EQ(h.ymax, 6200050.0);

    // A header of another record makes get_polypoint read that record; the
    // vector's earlier content is replaced.
    zv_ov_d2_t parts = zv_ov_d2_create();
    zv_shp_record_header last{};
    ASSERT_TRUE(zv_shp_file_get_obj(f, 2, &last));
    ASSERT_TRUE(zv_shp_file_get_polypoint(f, &h, parts));
    EXPECT_EQ(zv_ov_d2_get_size(parts), 2u);
    ASSERT_TRUE(zv_shp_file_get_polypoint(f, &last, parts));
    ASSERT_EQ(zv_ov_d2_get_size(parts), 1u);
    const zv_vertex_d2 end = zv_pv_d2_get_vtx(zv_ov_d2_get_pv_ptr(parts, 0), 1);
    EXPECT_EQ(end.x, 2.0);
    EXPECT_EQ(end.y, 3.0);

    zv_shp_record_header null_record{};
    ASSERT_TRUE(zv_shp_file_get_obj(f, 1, &null_record));
    EXPECT_EQ(null_record.shape_type, ZV_SHP_NULL);
    EXPECT_FALSE(zv_shp_file_get_polypoint(f, &null_record, parts));
    EXPECT_EQ(zv_ov_d2_get_size(parts), 0u) << "a failed read leaves the vector empty";

    EXPECT_FALSE(zv_shp_file_get_obj(f, 3, &h));
    EXPECT_FALSE(zv_shp_file_get_obj(f, 0, nullptr));
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(f);
}

TEST_F(ShpFiles, PathWithoutExtensionInUpperCaseOrWithBackslashesOpens)
{
    for (const char* name : {"polygon", "polygon.SHP"}) {
        zv_shp_file_t f = zv_shp_file_open_w(u16(folder->file(name)).c_str(), true);
        EXPECT_NE(f, nullptr) << name;
        zv_shp_file_close(f);
    }
    const std::string path = folder->file("line.shp");
    EXPECT_EQ(our_dump_of(zv::test::backslashed(path)), pyshp(path));
    zv_shp_file_t f = zv_shp_file_open_w(zv::test::backslashed(folder->file("line")).c_str(), true);
    ASSERT_NE(f, nullptr) << "the .shx beside it is found too";
    EXPECT_EQ(zv_shp_file_get_no(f), 3u);
    zv_shp_file_close(f);
}

// A file larger than the reader's window, with one record larger than the
// window itself: the checksum over every vertex, in file order, is the same
// as pyshp's.
TEST(ShpLarge, RecordsAcrossAndBeyondTheReadWindow)
{
    scratch_folder dir;
    const std::string path = dir.file("big.shp");
    const auto pyshp_sum = zv::test::run_python(R"(
import sys, shapefile
w = shapefile.Writer(sys.argv[1], shapeType=shapefile.POLYLINE)
w.field('ID', 'N', 6)
for i in range(900):
    w.line([[[i + k * 0.5, i - k * 0.25] for k in range(97)]])
    w.record(i)
w.line([[[k * 0.001, -k * 0.002] for k in range(70001)]])
w.record(900)
w.close()
total = 0.0
for s in shapefile.Reader(sys.argv[1]).iterShapes():
    for p in s.points:
        total += p[0] * 3.0 + p[1]
print('%.17g' % total)
)",
                                                {path});
    ASSERT_TRUE(pyshp_sum);
    zv_shp_file_t f = zv_shp_file_open_w(u16(path).c_str(), true);
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(zv_shp_file_get_no(f), 901u);
    zv_ov_d2_t parts = zv_ov_d2_create();
    double total = 0.0;
    for (uint32_t i = 0; i < zv_shp_file_get_no(f); ++i) {
        zv_shp_record_header h{};
        ASSERT_TRUE(zv_shp_file_get_obj(f, i, &h)) << i;
        ASSERT_TRUE(zv_shp_file_get_polypoint(f, &h, parts)) << i;
        const zv_pv_d2_t part = zv_ov_d2_get_pv_ptr(parts, 0);
        for (uint32_t v = 0; v < zv_pv_d2_get_size(part); ++v) {
            const zv_vertex_d2 p = zv_pv_d2_get_vtx(part, v);
            total += p.x * 3.0 + p.y;
        }
    }
    char ours[64];
    std::snprintf(ours, sizeof ours, "%.17g\n", total);
    EXPECT_EQ(ours, *pyshp_sum);
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(f);
}

TEST(ShpTools, ShapelibWrittenPolylinesRead)
{
    scratch_folder dir;
    const std::string path = dir.file("профили.shp");
    const std::string q = zv::test::quoted(path);
    ASSERT_TRUE(zv::test::run("shpcreate " + q + " arc"));
    ASSERT_TRUE(zv::test::run("shpadd " + q + " 0 0 10 10 + 20 20 30 35.5"));
    ASSERT_TRUE(zv::test::run("shpadd " + q + " -1.5 2.25 3 4 5 6"));
    // Type 3 (polyline), two records: every part and vertex as written.
    EXPECT_EQ(our_dump(path), "3 2\n3|2,2|0,0;10,10;20,20;30,35.5\n3|3|-1.5,2.25;3,4;5,6\n");
}

class ShpDamaged : public ShpFiles
{
  protected:
    void SetUp() override
    {
        for (const char* ext : {".shp", ".shx", ".dbf"}) {
            std::filesystem::copy_file(folder->file(std::string("line") + ext),
                                       dir.file(std::string("t") + ext));
        }
        shp = zv::test::read_bytes(dir.file("t.shp"));
        shx = zv::test::read_bytes(dir.file("t.shx"));
    }
    zv_shp_file_t open() { return zv_shp_file_open_w(u16(dir.file("t.shp")).c_str(), true); }
    // Which records of t.shp read after rewriting it and its index.
    std::string readable(const std::string& new_shp, const std::string& new_shx)
    {
        zv::test::write_bytes(dir.file("t.shp"), new_shp);
        zv::test::write_bytes(dir.file("t.shx"), new_shx);
        zv_shp_file_t f = open();
        if (f == nullptr) {
            return "not opened";
        }
        zv_ov_d2_t parts = zv_ov_d2_create();
        std::string result;
        for (uint32_t i = 0; i < zv_shp_file_get_no(f); ++i) {
            zv_shp_record_header h{};
            const bool ok = zv_shp_file_get_obj(f, i, &h);
            if (ok) {
                zv_shp_file_get_polypoint(f, &h, parts);
            }
            result += ok ? "+" : "-";
        }
        zv_ov_d2_destroy(parts);
        zv_shp_file_close(f);
        return result;
    }
    scratch_folder dir;
    std::string shp, shx;
};

TEST_F(ShpDamaged, TruncatedShpLosesOnlyTheCutRecordsTruncatedShxDoesNotOpen)
{
    EXPECT_EQ(readable(shp, shx), "+++") << "intact";
    EXPECT_EQ(readable(shp.substr(0, shp.size() - 1), shx), "++-");
    EXPECT_EQ(readable(shp.substr(0, 120), shx), "---");
    EXPECT_EQ(readable(shp.substr(0, 50), shx), "not opened");
    EXPECT_EQ(readable("", shx), "not opened");
    // A truncated or missing .shx does not open.
    EXPECT_EQ(readable(shp, shx.substr(0, shx.size() - 4)), "not opened");
    EXPECT_EQ(readable(shp, shx.substr(0, 60)), "not opened");
    std::filesystem::remove(dir.file("t.shx"));
    EXPECT_EQ(open(), nullptr);
}

TEST_F(ShpDamaged, WrongCountsAndOffsetsFailTheirRecord)
{
    std::string far = shx;
    far[100] = 0x7F; // offset of record 0 far past the end of the .shp
    EXPECT_EQ(readable(shp, far), "-++");
    std::string long_content = shp;
    long_content[104] = 0x7F; // content length of record 0 beyond the file
    EXPECT_EQ(readable(long_content, shx), "-++");
    std::string many_parts = shp;
    many_parts[100 + 8 + 36 + 3] = 0x10; // numParts of record 0 huge
    EXPECT_EQ(readable(many_parts, shx), "-++");
    std::string bad_type = shp;
    bad_type[100 + 8] = 99;
    EXPECT_EQ(readable(bad_type, shx), "-++");
}

// Header damage refuses the whole file: file codes, shape types, a .shx
// length that cannot hold its header, index entries no writer can make.
TEST_F(ShpDamaged, DamagedHeadersAndIndexDoNotOpen)
{
    using namespace std::string_view_literals;
    const auto with = [](std::string bytes, std::size_t at, std::string_view put) {
        return bytes.replace(at, put.size(), put);
    };
    EXPECT_EQ(readable(with(shp, 0, "\x00\x00\x27\x0B"sv), shx), "not opened") << ".shp file code";
    EXPECT_EQ(readable(shp, with(shx, 2, "\x27\x0B"sv)), "not opened") << ".shx file code";
    EXPECT_EQ(readable(shp, with(shx, 32, "\x02"sv)), "not opened") << "unknown shape type";
    EXPECT_EQ(readable(with(shp, 32, "\x05"sv), shx), "not opened") << "types disagree";
    EXPECT_EQ(readable(shp, with(shx, 24, "\x00\x00\x00\x31"sv)), "not opened")
        << ".shx length below its header";
    EXPECT_EQ(readable(shp, with(shx, 24, "\x80\x00\x00\x64"sv)), "not opened") << "length sign bit";
    EXPECT_EQ(readable(shp, with(shx, 100, "\x80"sv)), "not opened") << "offset past 2^31 words";
    EXPECT_EQ(readable(shp, with(shx, 104, "\x7F\xFF"sv)), "not opened") << "content length past 2^30 words";
    EXPECT_EQ(readable(shp, shx + std::string(8, '\0')), "+++") << "bytes after the index are ignored";
}

TEST(ShpHandles, NullAndRefusedHandles)
{
    EXPECT_EQ(zv_shp_file_open_w(nullptr, true), nullptr);
    scratch_folder dir;
    EXPECT_EQ(zv_shp_file_open_w(u16(dir.file("absent.shp")).c_str(), true), nullptr);
    EXPECT_EQ(zv_shp_file_open_w(u16(dir.path().string()).c_str(), true), nullptr);
    EXPECT_EQ(zv_shp_file_get_type(nullptr), -1);
    EXPECT_EQ(zv_shp_file_get_no(nullptr), 0u);
    zv_shp_record_header h{};
    EXPECT_FALSE(zv_shp_file_get_obj(nullptr, 0, &h));
    zv_ov_d2_t parts = zv_ov_d2_create();
    EXPECT_FALSE(zv_shp_file_get_polypoint(nullptr, &h, parts));
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(nullptr);
}

} // namespace
