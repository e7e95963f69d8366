// Decoding single records: every layout of the format, and records whose
// counts or part starts do not fit their length are refused.
#include "zvk_file_shp/shp_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{

using zv::zvk_file_shp::decode_record;
using zv::zvk_file_shp::record;

class bytes
{
  public:
    bytes& i32(std::int32_t v) { return put(&v, 4); }
    bytes& f64(double v) { return put(&v, 8); }
    bytes& box(double x0, double y0, double x1, double y1) { return f64(x0).f64(y0).f64(x1).f64(y1); }
    bytes& points(std::initializer_list<double> xy)
    {
        for (const double v : xy) {
            f64(v);
        }
        return *this;
    }
    const std::vector<unsigned char>& data() const { return data_; }

  private:
    bytes& put(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const unsigned char*>(p);
        data_.insert(data_.end(), b, b + n);
        return *this;
    }
    std::vector<unsigned char> data_;
};

bool decode(const bytes& b, record& r, std::size_t cut = 0)
{
    return decode_record(b.data().data(), b.data().size() - cut, 7, r);
}

// A polyline of two parts: (0,0)-(1,1) and (5,5)-(6,5)-(7,4).
bytes two_part_line()
{
    bytes b;
    b.i32(ZV_SHP_POLYLINE).box(0, 0, 7, 5).i32(2).i32(5).i32(0).i32(2);
    b.points({0, 0, 1, 1, 5, 5, 6, 5, 7, 4});
    return b;
}

struct layout {
    const char* name;
    bytes content;
    std::vector<std::uint32_t> starts;
    zv_vertex_d2 last;
    double xmax, ymin;
};

TEST(ShpRecord, EveryLayoutDecodes)
{
    bytes point, multi, patch, null;
    point.i32(ZV_SHP_POINTZ).points({3.5, -2}).f64(100).f64(0);
    multi.i32(ZV_SHP_MULTIPOINT).box(1, 2, 3, 4).i32(2).points({1, 2, 3, 4});
    patch.i32(ZV_SHP_MULTIPATCH).box(0, 0, 1, 1).i32(1).i32(3).i32(0).i32(0 /* triangle strip */);
    patch.points({0, 0, 1, 0, 1, 1}); // the part types are skipped
    null.i32(ZV_SHP_NULL);
    const layout layouts[] = {{"polyline", two_part_line(), {0, 2}, {7, 4}, 7, 0},
                              {"pointz", point, {0}, {3.5, -2}, 3.5, -2},
                              {"multipoint", multi, {0}, {3, 4}, 3, 2},
                              {"multipatch", patch, {0}, {1, 1}, 1, 0},
                              {"null", null, {}, {0, 0}, 0, 0}};
    for (const layout& l : layouts) {
        SCOPED_TRACE(l.name);
        record r;
        ASSERT_TRUE(decode(l.content, r));
        std::int32_t type = 0;
        std::memcpy(&type, l.content.data().data(), 4);
        EXPECT_EQ(r.header.shape_type, type);
        EXPECT_EQ(r.header.index, 7u);
        EXPECT_EQ(r.starts, l.starts);
        EXPECT_EQ(r.header.part_count, l.starts.size());
        EXPECT_EQ(r.header.point_count, r.vertices.size());
        EXPECT_EQ(r.header.xmax, l.xmax);
        EXPECT_EQ(r.header.ymin, l.ymin);
        if (type != ZV_SHP_NULL) {
            ASSERT_FALSE(r.vertices.empty());
            EXPECT_EQ(r.vertices.back().x, l.last.x);
            EXPECT_EQ(r.vertices.back().y, l.last.y);
        }
    }
}

TEST(ShpRecord, DamagedRecordsAreRefused)
{
    record r;
    EXPECT_FALSE(decode(two_part_line(), r, 1)) << "one byte short";
    EXPECT_FALSE(decode_record(nullptr, 0, 0, r));
    std::vector<bytes> damaged(7);
    damaged[0].i32(ZV_SHP_POLYGON).box(0, 0, 1, 1);
    damaged[1].i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1).i32(-1).i32(2).points({0, 0, 1, 1});
    damaged[2].i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1).i32(1).i32(0x7FFFFFFF).i32(0).points({0, 0});
    damaged[3].i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1).i32(2).i32(2).i32(1).i32(0).points({0, 0, 1, 1});
    damaged[4].i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1).i32(1).i32(2).i32(3).points({0, 0, 1, 1});
    damaged[5].i32(42).box(0, 0, 1, 1);
    damaged[6].i32(ZV_SHP_POINT).f64(1);
    const char* names[] = {"no counts",           "negative part count",        "more points than bytes",
                           "part starts falling", "part start past the points", "unknown type",
                           "point short"};
    for (std::size_t i = 0; i < damaged.size(); ++i)
        EXPECT_FALSE(decode(damaged[i], r)) << names[i];
}

} // namespace
