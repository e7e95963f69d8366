// Decoding single records: records whose counts or part starts do not fit
// their length are refused. (Every layout is read through the C functions
// and compared with pyshp in exports_test.cpp.)
#include "zvk_file_shp/shp_record.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{

using zv::zvk_file_shp::decode_record;
using zv::zvk_file_shp::record;

struct bytes {
    std::vector<unsigned char> data;
    bytes& i32(std::int32_t v) { return put(&v, 4); }
    bytes& f64(double v) { return put(&v, 8); }
    bytes& box(double x0, double y0, double x1, double y1) { return f64(x0).f64(y0).f64(x1).f64(y1); }
    bytes& points(std::initializer_list<double> xy)
    {
        for (const double v : xy)
            f64(v);
        return *this;
    }
    bytes& put(const void* p, std::size_t n)
    {
        data.insert(data.end(), static_cast<const unsigned char*>(p),
                    static_cast<const unsigned char*>(p) + n);
        return *this;
    }
};

bool decode(const bytes& b, record& r, std::size_t cut = 0)
{
    return decode_record(b.data.data(), b.data.size() - cut, 7, r);
}

TEST(ShpRecord, DamagedRecordsAreRefused)
{
    record r;
    bytes line; // two parts: (0,0)-(1,1) and (5,5)-(6,5)-(7,4)
    line.i32(ZV_SHP_POLYLINE).box(0, 0, 7, 5).i32(2).i32(5).i32(0).i32(2);
    line.points({0, 0, 1, 1, 5, 5, 6, 5, 7, 4});
    ASSERT_TRUE(decode(line, r));
    EXPECT_EQ(r.starts, (std::vector<std::uint32_t>{0, 2}));
    EXPECT_FALSE(decode(line, r, 1)) << "one byte short";
    EXPECT_FALSE(decode_record(nullptr, 0, 0, r));
    const auto poly = [] { return bytes().i32(ZV_SHP_POLYLINE).box(0, 0, 1, 1); };
    const std::pair<const char*, bytes> damaged[] = {
        {"no counts", poly()},
        {"negative part count", poly().i32(-1).i32(2).points({0, 0, 1, 1})},
        {"more points than bytes", poly().i32(1).i32(0x7FFFFFFF).i32(0).points({0, 0})},
        {"part starts falling", poly().i32(2).i32(2).i32(1).i32(0).points({0, 0, 1, 1})},
        {"part start past the points", poly().i32(1).i32(2).i32(3).points({0, 0, 1, 1})},
        {"unknown type", bytes().i32(42).box(0, 0, 1, 1)},
        {"point short", bytes().i32(ZV_SHP_POINT).f64(1)},
    };
    for (const auto& [name, b] : damaged)
        EXPECT_FALSE(decode(b, r)) << name;
}

} // namespace
