// The exported functions of zvk_proj4_d2 against PROJ's own programs: points
// reprojected as cs2cs does (tolerance 1e-9 degree), lengths as geod measures
// them (1 mm), and coordinate text. (.prj files: prj_file_test.cpp.)
#include "captured_text.h"
#include "host/zvk_proj4_d2.h"
#include "kit/scratch_folder.h"
#include "proj_commands.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <vector>

namespace
{

using namespace zv::test;

const char16_t* const kGsk2011 = u"+proj=longlat +towgs84=0.013,-0.092,-0.03,-0.0017,0.0036,-0.0043,0.0074 "
                                 u"+ellps=GSK2011 +lon_wrap=45 +no_defs";

// Sum of geod's inverse distances along lon/lat vertices.
double geod_length(const std::string& ellipsoid, const rows& lonlat)
{
    std::vector<zv_vertex_d2> lines; // geod reads lat1 lon1 lat2 lon2; two per "point"
    for (std::size_t i = 1; i < lonlat.size(); ++i)
        lines.insert(lines.end(), {{lonlat[i - 1][1], lonlat[i - 1][0]}, {lonlat[i][1], lonlat[i][0]}});
    const rows out =
        proj_numbers("(paste -d ' ' - - | geod -I -f %.6f -F %.6f +ellps=" + ellipsoid + " +units=m)", lines);
    EXPECT_EQ(out.size(), lonlat.size() - 1) << "geod did not run";
    double sum = 0.0;
    for (const auto& numbers : out)
        sum += numbers.at(2); // azimuth 1, azimuth 2, distance
    return sum;
}

class object_vector
{
  public:
    explicit object_vector(const std::vector<std::vector<zv_vertex_d2>>& parts) : v_(zv_ov_d2_create())
    {
        for (const auto& part : parts)
            zv_ov_d2_add_part(v_, part.data(), static_cast<uint32_t>(part.size()));
    }
    ~object_vector() { zv_ov_d2_destroy(v_); }
    zv_ov_d2_t get() const { return v_; }

  private:
    zv_ov_d2_t v_;
};

double length_of(const object_vector& ov, const char16_t* definition, double halvings = 6.0,
                 double tolerance = 0.1)
{
    double length = -1.0;
    EXPECT_EQ(zv_precision_calc_length(ov.get(), definition, halvings, tolerance, &length), ZV_PRECISION_OK);
    return length;
}

TEST(Reprojector, AgreesWithCs2csToANanodegreeForBothTargetsAndKeepsWhatItCannotProject)
{
    if (!zv::test::can_run_linux_readers)
        GTEST_SKIP() << "cs2cs: Linux programs";
    // Projected sources with a datum shift: profile_e2e.py, through the
    // profile tool. Wrapped to [-135, 225) around 45 by both targets.
    const std::u16string source = u"+proj=longlat +datum=WGS84 +no_defs";
    const std::vector<zv_vertex_d2> points = {{37.6173, 55.7558}, {-150.25, 61.5}, {179.9, -45.0}};
    zv_rpj_d2_t rpj = zv_rpj_d2_create();
    for (const char16_t* target : {kGsk2011, kWgs84}) {
        SCOPED_TRACE(narrow(target));
        ASSERT_TRUE(zv_rpj_d2_init_w(rpj, source.c_str(), target));
        const rows expected =
            proj_numbers("cs2cs -f %.12f " + narrow(source) + " +to " + narrow(target), points);
        ASSERT_EQ(expected.size(), points.size()) << "cs2cs did not run";
        for (std::size_t i = 0; i < points.size(); ++i) {
            zv_vertex_d2 v = points[i];
            ASSERT_TRUE(zv_rpj_d2_apply_vtx(rpj, &v));
            EXPECT_NEAR(v.x, expected[i].at(0), 1e-9) << "longitude of point " << i;
            EXPECT_NEAR(v.y, expected[i].at(1), 1e-9) << "latitude of point " << i;
        }
    }

    // An unknown definition makes it unusable; invalid points are kept.
    ASSERT_TRUE(zv_rpj_d2_init_w(rpj, u"+proj=longlat +datum=WGS84", kWgs84));
    EXPECT_FALSE(zv_rpj_d2_init_w(rpj, u"+proj=nonesuch", kWgs84));
    zv_vertex_d2 v{1.0, 2.0};
    EXPECT_FALSE(zv_rpj_d2_apply_vtx(rpj, &v)) << "a failed init after a good one leaves it unusable";
    EXPECT_EQ(v.x, 1.0);
    EXPECT_EQ(v.y, 2.0);
    EXPECT_FALSE(zv_rpj_d2_init_w(nullptr, kWgs84, kWgs84));
    EXPECT_FALSE(zv_rpj_d2_apply_vtx(rpj, nullptr));

    ASSERT_TRUE(zv_rpj_d2_init_w(rpj, u"+proj=longlat +datum=WGS84", u"+proj=merc +datum=WGS84"));
    zv_vertex_d2 pole{0.0, 100.0};
    EXPECT_FALSE(zv_rpj_d2_apply_vtx(rpj, &pole));
    EXPECT_EQ(pole.y, 100.0);
    zv_rpj_d2_destroy(rpj);
}

// A vertex has only x and y: systems whose first two axes are no horizontal
// position cannot be its source or target, while a 3D geographic one can.
TEST(Reprojector, RefusesVerticalAndGeocentricSystems)
{
    zv_rpj_d2_t rpj = zv_rpj_d2_create();
    for (const char16_t* flat : {u"EPSG:4979", u"+proj=utm +zone=37 +datum=WGS84"}) {
        EXPECT_TRUE(zv_rpj_d2_init_w(rpj, flat, kWgs84)) << narrow(flat);
        EXPECT_TRUE(zv_rpj_d2_init_w(rpj, kWgs84, flat)) << narrow(flat);
    }
    for (const char16_t* other : {u"+proj=geocent +datum=WGS84", u"EPSG:4978", u"EPSG:5703",
                                  u"+proj=geocent +ellps=krass +towgs84=23.57,-140.95,-79.8"}) {
        EXPECT_FALSE(zv_rpj_d2_init_w(rpj, other, kWgs84)) << narrow(other);
        EXPECT_FALSE(zv_rpj_d2_init_w(rpj, kWgs84, other)) << narrow(other);
    }
    zv_rpj_d2_destroy(rpj);
}

// A point and an empty part add nothing to the parts' sum.
TEST(GeodesicLength, GeographicAndProjectedSegmentsAreGeodesicsOnTheirEllipsoid)
{
    if (!zv::test::can_run_linux_readers)
        GTEST_SKIP() << "geod and cs2cs: Linux programs";
    const std::vector<zv_vertex_d2> line = {{37.6, 55.75}, {37.9, 55.8}, {38.5, 56.3}, {30.3, 59.9}};
    rows lonlat;
    for (const auto& v : line)
        lonlat.push_back({v.x, v.y});
    const object_vector ov({line, {{5, 5}}, {}});
    EXPECT_NEAR(length_of(ov, kWgs84), geod_length("WGS84", lonlat), 1e-3);

    const std::string utm = "+proj=utm +zone=37 +ellps=WGS84 +units=m";
    const std::vector<zv_vertex_d2> projected = {{412000, 6170000}, {413500, 6171200}, {415000, 6170100}};
    const rows on_ellipsoid =
        proj_numbers("cs2cs -f %.12f " + utm + " +to +proj=longlat +ellps=WGS84", projected);
    ASSERT_EQ(on_ellipsoid.size(), projected.size());
    EXPECT_NEAR(length_of(object_vector({projected, projected}), u16(utm).c_str()),
                2 * geod_length("WGS84", on_ellipsoid), 2e-3);
}

TEST(GeodesicLength, HalvingFollowsTheProjectedStraightLine)
{
    // 1000 km east along 60 N in Mercator: the straight projected line is a
    // rhumb line, longer than the geodesic between its ends.
    const char16_t* merc = u"+proj=merc +ellps=WGS84 +units=m";
    const object_vector ov({{{0, 8362698.5}, {1000000, 8362698.5}}});
    const double chord = length_of(ov, merc, 0.0, 0.1);
    const double followed = length_of(ov, merc, 6.0, 0.1);
    const double finer = length_of(ov, merc, 12.0, 1e-6);
    EXPECT_GT(followed - chord, 100.0);
    EXPECT_NEAR(followed, finer, 0.5) << "64 pieces are within half a metre on 500 km";
}

// One case per way the length fails.
TEST(GeodesicLength, FailuresLeaveTheLengthAlone)
{
    const object_vector ov({{{10, 50}, {11, 50}}});
    const object_vector beyond_pole({{{10, 50}, {11, 95}}});
    double length = 7.0;
    EXPECT_EQ(zv_precision_calc_length(ov.get(), u"+proj=nonesuch", 6.0, 0.1, &length),
              ZV_PRECISION_BAD_DEFINITION);
    EXPECT_EQ(zv_precision_calc_length(ov.get(), kWgs84, -1.0, 0.1, &length), ZV_PRECISION_BAD_ARGUMENT);
    EXPECT_EQ(zv_precision_calc_length(beyond_pole.get(), kWgs84, 6.0, 0.1, &length),
              ZV_PRECISION_BAD_VERTEX);
    EXPECT_EQ(length, 7.0);
}

std::string text_of(double value, bool expect_ok = true)
{
    captured_text sink;
    sink.narrow = "previous";
    EXPECT_EQ(zv_geocoord_tostring(value, sink.handle()), expect_ok);
    EXPECT_EQ(sink.calls, 1);
    return sink.narrow;
}

// Nine decimals resolve a millimetre; every text fits twenty characters; a
// non-finite or huge value gives empty text; the point is a point in any locale.
TEST(CoordText, NineDecimalsWithinTwentyCharacters)
{
    const std::pair<double, const char*> cases[] = {
        {224.9999999994, "224.999999999"},
        {-1e-12, "0.000000000"}, // rounds to zero: no minus sign
        {-1234567890123.5, "-1234567890123.50000"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(text_of(value), text);
    for (double v = 1e-3; v < 1e19; v *= 7.3) {
        EXPECT_LE(text_of(v).size(), 20u);
        EXPECT_LE(text_of(-v).size(), 20u);
    }
    for (const double bad : {double(NAN), double(INFINITY), -1e20})
        EXPECT_EQ(text_of(bad, false), "");
}

TEST(CoordText, DecimalPointWhateverTheLocale)
{
    if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr)
        GTEST_SKIP() << "no ru_RU.UTF-8 locale (scripts/install-deps.sh makes one)";
    const std::string text = text_of(1.5);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "1.500000000");
}

} // namespace
