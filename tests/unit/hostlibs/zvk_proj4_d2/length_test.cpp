// Geodesic lengths against PROJ's geod (tolerance 1 mm), with the vertices
// of projected systems taken to the ellipsoid by cs2cs.
#include "proj_tools.h"

#include "host/zvk_proj4_d2.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

constexpr double kMillimetre = 1e-3;

class object_vector
{
  public:
    explicit object_vector(const std::vector<std::vector<zv_vertex_d2>>& parts) : v_(zv_ov_d2_create())
    {
        for (const auto& part : parts) {
            zv_ov_d2_add_part(v_, part.data(), static_cast<uint32_t>(part.size()));
        }
    }
    ~object_vector() { zv_ov_d2_destroy(v_); }
    zv_ov_d2_t get() const { return v_; }

  private:
    zv_ov_d2_t v_;
};

// Sum of geod's inverse distances along lon/lat vertices.
double geod_length(const std::string& ellipsoid, const std::vector<std::vector<double>>& lonlat)
{
    std::string input;
    char line[160];
    for (std::size_t i = 1; i < lonlat.size(); ++i) {
        std::snprintf(line, sizeof line, "%.12f %.12f %.12f %.12f\n", lonlat[i - 1][1], lonlat[i - 1][0],
                      lonlat[i][1], lonlat[i][0]);
        input += line;
    }
    const auto out =
        zv::test::proj_numbers("geod -I -f %.6f -F %.6f +ellps=" + ellipsoid + " +units=m", input);
    double sum = 0.0;
    for (const auto& numbers : out) {
        sum += numbers.at(2); // azimuth 1, azimuth 2, distance
    }
    EXPECT_EQ(out.size(), lonlat.size() - 1) << "geod did not run";
    return sum;
}

std::vector<std::vector<double>> as_rows(const std::vector<zv_vertex_d2>& vertices)
{
    std::vector<std::vector<double>> rows;
    for (const auto& v : vertices) {
        rows.push_back({v.x, v.y});
    }
    return rows;
}

double length_of(const object_vector& ov, const char16_t* definition, double halvings = 6.0,
                 double tolerance = 0.1)
{
    double length = -1.0;
    EXPECT_EQ(zv_precision_calc_length(ov.get(), definition, halvings, tolerance, &length), ZV_PRECISION_OK);
    return length;
}

TEST(GeodesicLength, GeographicSegmentsAreGeodesicsOnTheirEllipsoid)
{
    const std::vector<zv_vertex_d2> line = {{37.6, 55.75}, {37.9, 55.8}, {38.5, 56.3}, {30.3, 59.9}};
    const object_vector ov({line});
    EXPECT_NEAR(length_of(ov, u"+proj=longlat +datum=WGS84 +lon_wrap=45 +no_defs"),
                geod_length("WGS84", as_rows(line)), kMillimetre);
    EXPECT_NEAR(length_of(ov, u"+proj=longlat +towgs84=0.013,-0.092,-0.03,-0.0017,0.0036,-0.0043,0.0074 "
                              u"+ellps=GSK2011 +lon_wrap=45 +no_defs"),
                geod_length("GSK2011", as_rows(line)), kMillimetre);
    EXPECT_NEAR(length_of(ov, u"+proj=longlat +ellps=krass"), geod_length("krass", as_rows(line)),
                kMillimetre);
}

TEST(GeodesicLength, ProjectedVerticesAreTakenToTheirEllipsoid)
{
    const std::string utm = "+proj=utm +zone=37 +ellps=WGS84 +units=m";
    const std::vector<zv_vertex_d2> line = {{412000, 6170000}, {413500, 6171200}, {415000, 6170100}};
    std::string input;
    for (const auto& v : line) {
        input += std::to_string(v.x) + " " + std::to_string(v.y) + "\n";
    }
    const auto lonlat =
        zv::test::proj_numbers("cs2cs -f %.12f " + utm + " +to +proj=longlat +ellps=WGS84", input);
    ASSERT_EQ(lonlat.size(), line.size());
    const object_vector ov({line});
    EXPECT_NEAR(length_of(ov, u"+proj=utm +zone=37 +ellps=WGS84 +units=m"), geod_length("WGS84", lonlat),
                kMillimetre);
}

TEST(GeodesicLength, PartsAreSummedAndPointsHaveNoLength)
{
    const std::vector<zv_vertex_d2> a = {{10, 50}, {11, 50}};
    const std::vector<zv_vertex_d2> b = {{20, -30}, {20, -31}, {21, -31}};
    const object_vector both({a, b, {{5, 5}}, {}});
    const object_vector only_a({a});
    const object_vector only_b({b});
    const char16_t* wgs = u"+proj=longlat +datum=WGS84";
    EXPECT_NEAR(length_of(both, wgs), length_of(only_a, wgs) + length_of(only_b, wgs), 1e-6);
    const object_vector point({{{5, 5}}});
    EXPECT_EQ(length_of(point, wgs), 0.0);
    const object_vector empty({});
    EXPECT_EQ(length_of(empty, wgs), 0.0);
}

TEST(GeodesicLength, HalvingFollowsTheProjectedStraightLine)
{
    // 1000 km east along 60 N in Mercator: the straight projected line is a
    // rhumb line, longer than the geodesic between its ends.
    const char16_t* merc = u"+proj=merc +ellps=WGS84 +units=m";
    const std::vector<zv_vertex_d2> line = {{0, 8362698.5}, {1000000, 8362698.5}};
    const object_vector ov({line});
    const double chord = length_of(ov, merc, 0.0, 0.1);
    const double followed = length_of(ov, merc, 6.0, 0.1);
    const double finer = length_of(ov, merc, 12.0, 1e-6);
    EXPECT_GT(followed - chord, 100.0);
    EXPECT_NEAR(followed, finer, 0.5); // 64 pieces are within half a metre on 500 km
    EXPECT_LE(followed, finer + kMillimetre);
}

TEST(GeodesicLength, FailuresLeaveTheLengthAlone)
{
    const object_vector ov({{{10, 50}, {11, 50}}});
    double length = 7.0;
    EXPECT_EQ(zv_precision_calc_length(ov.get(), u"+proj=nonesuch", 6.0, 0.1, &length),
              ZV_PRECISION_BAD_DEFINITION);
    EXPECT_EQ(zv_precision_calc_length(ov.get(), u"", 6.0, 0.1, &length), ZV_PRECISION_BAD_DEFINITION);
    EXPECT_EQ(zv_precision_calc_length(nullptr, u"+proj=longlat +ellps=WGS84", 6.0, 0.1, &length),
              ZV_PRECISION_BAD_ARGUMENT);
    EXPECT_EQ(zv_precision_calc_length(ov.get(), u"+proj=longlat +ellps=WGS84", -1.0, 0.1, &length),
              ZV_PRECISION_BAD_ARGUMENT);
    EXPECT_EQ(zv_precision_calc_length(ov.get(), u"+proj=longlat +ellps=WGS84", 6.0, 0.0, &length),
              ZV_PRECISION_BAD_ARGUMENT);
    EXPECT_EQ(zv_precision_calc_length(ov.get(), u"+proj=longlat +ellps=WGS84", NAN, 0.1, &length),
              ZV_PRECISION_BAD_ARGUMENT);
    const object_vector beyond_pole({{{10, 50}, {11, 95}}});
    EXPECT_EQ(zv_precision_calc_length(beyond_pole.get(), u"+proj=longlat +ellps=WGS84", 6.0, 0.1, &length),
              ZV_PRECISION_BAD_VERTEX);
    EXPECT_EQ(length, 7.0);
}

} // namespace
