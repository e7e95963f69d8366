// Decoding single records: every layout of the published format, and
// records whose counts or part starts do not fit their length are refused.
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

TEST(ShpRecord, PolylinePartsAndBox)
{
    record r;
    ASSERT_TRUE(decode(two_part_line(), r));
    EXPECT_EQ(r.header.shape_type, ZV_SHP_POLYLINE);
    EXPECT_EQ(r.header.index, 7u);
    EXPECT_EQ(r.header.part_count, 2u);
    EXPECT_EQ(r.header.point_count, 5u);
    EXPECT_EQ(r.header.xmax, 7.0);
    EXPECT_EQ(r.starts, (std::vector<std::uint32_t>{0, 2}));
    ASSERT_EQ(r.vertices.size(), 5u);
    EXPECT_EQ(r.vertices[4].x, 7.0);
    EXPECT_EQ(r.vertices[4].y, 4.0);
}

TEST(ShpRecord, PointMultipointAndNull)
{
    record r;
    bytes point;
    point.i32(ZV_SHP_POINTZ).points({3.5, -2}).f64(100).f64(0);
    ASSERT_TRUE(decode(point, r));
    EXPECT_EQ(r.header.shape_type, ZV_SHP_POINTZ);
    EXPECT_EQ(r.header.part_count, 1u);
    EXPECT_EQ(r.header.ymin, -2.0);

    bytes multi;
    multi.i32(ZV_SHP_MULTIPOINT).box(1, 2, 3, 4).i32(2).points({1, 2, 3, 4});
    ASSERT_TRUE(decode(multi, r));
    EXPECT_EQ(r.header.point_count, 2u);
    EXPECT_EQ(r.starts, (std::vector<std::uint32_t>{0}));

    bytes null;
    null.i32(ZV_SHP_NULL);
    ASSERT_TRUE(decode(null, r));
    EXPECT_EQ(r.header.part_count, 0u);
    EXPECT_TRUE(r.vertices.empty());
}

TEST(ShpRecord, MultipatchSkipsItsPartTypes)
{
    bytes b;
    b.i32(ZV_SHP_MULTIPATCH).box(0, 0, 1, 1).i32(1).i32(3).i32(0).i32(0 /* triangle strip */);
    b.points({0, 0, 1, 0, 1, 1});
    record r;
    ASSERT_TRUE(decode(b, r));
    ASSERT_EQ(r.vertices.size(), 3u);
    EXPECT_EQ(r.vertices[1].x, 1.0);
    EXPECT_EQ(r.vertices[2].y, 1.0);
}

TEST(ShpRecord, DamagedRecordsAreRefused)
{
    record r;
    EXPECT_FALSE(decode(two_part_line(), r, 1)) << "one byte short";
    EXPECT_FALSE(decode_record(nullptr, 0, 0, r));
    bytes tiny;
    tiny.i32(ZV_SHP_POLYGON).box(0, 0, 1, 1);
    EXPECT_FALSE(decode(tiny, r)) << "no counts";
    bytes negative;
    negative.i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1).i32(-1).i32(2).points({0, 0, 1, 1});
    EXPECT_FALSE(decode(negative, r));
    bytes huge;
    huge.i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1).i32(1).i32(0x7FFFFFFF).i32(0).points({0, 0});
    EXPECT_FALSE(decode(huge, r)) << "more points than bytes";
    bytes falling;
    falling.i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1).i32(2).i32(2).i32(1).i32(0).points({0, 0, 1, 1});
    EXPECT_FALSE(decode(falling, r)) << "part starts must not fall";
    bytes beyond;
    beyond.i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1).i32(1).i32(2).i32(3).points({0, 0, 1, 1});
    EXPECT_FALSE(decode(beyond, r)) << "a part start past the points";
    bytes unknown;
    unknown.i32(42).box(0, 0, 1, 1);
    EXPECT_FALSE(decode(unknown, r));
    bytes short_point;
    short_point.i32(ZV_SHP_POINT).f64(1);
    EXPECT_FALSE(decode(short_point, r));
}

} // namespace
