// Reprojected coordinates against PROJ's cs2cs run with the same definitions
// (tolerance 1e-9 degree), and the reuse of transformations.
#include "proj_session.h"
#include "proj_tools.h"

#include "host/zvk_proj4_d2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const char16_t* const kGsk2011 = u"+proj=longlat +towgs84=0.013,-0.092,-0.03,-0.0017,0.0036,-0.0043,0.0074 "
                                 u"+ellps=GSK2011 +lon_wrap=45 +no_defs";
const char16_t* const kWgs84 = u"+proj=longlat +datum=WGS84 +ellps=WGS84 +lon_wrap=45 +no_defs";

struct source_case {
    std::string definition;
    std::vector<zv_vertex_d2> points;
};

// Projected and geographic systems of the kind the profile tool meets.
std::vector<source_case> sources()
{
    return {
        {"+proj=utm +zone=37 +datum=WGS84 +units=m +no_defs", {{500000, 6000000}, {412345.678, 6178901.234}}},
        {"+proj=tmerc +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass "
         "+towgs84=23.57,-140.95,-79.8,0,0.35,0.79,-0.22 +units=m +no_defs",
         {{7500000, 6200000}, {7433210.5, 6123456.75}}},
        {"+proj=longlat +datum=WGS84 +no_defs", {{37.6173, 55.7558}, {-150.25, 61.5}, {179.9, -45.0}}},
    };
}

std::u16string widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::string narrow(const char16_t* ascii)
{
    std::string out;
    for (; *ascii != 0; ++ascii) {
        out += static_cast<char>(*ascii);
    }
    return out;
}

// What cs2cs makes of the points, one lon/lat pair per point.
std::vector<std::vector<double>> cs2cs(const std::string& from, const std::string& to,
                                       const std::vector<zv_vertex_d2>& points)
{
    std::string input;
    for (const auto& p : points) {
        input += std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
    }
    return zv::test::proj_numbers("cs2cs -f %.12f " + from + " +to " + to, input);
}

class Reprojector : public ::testing::TestWithParam<const char16_t*>
{
  protected:
    void SetUp() override { rpj = zv_rpj_d2_create(); }
    void TearDown() override { zv_rpj_d2_destroy(rpj); }
    zv_rpj_d2_t rpj = nullptr;
};

TEST_P(Reprojector, AgreesWithCs2csToANanodegree)
{
    for (const auto& source : sources()) {
        SCOPED_TRACE(source.definition);
        ASSERT_TRUE(zv_rpj_d2_init_w(rpj, widen(source.definition).c_str(), GetParam()));
        const auto expected = cs2cs(source.definition, narrow(GetParam()), source.points);
        ASSERT_EQ(expected.size(), source.points.size()) << "cs2cs did not run";
        for (std::size_t i = 0; i < source.points.size(); ++i) {
            zv_vertex_d2 v = source.points[i];
            ASSERT_TRUE(zv_rpj_d2_apply_vtx(rpj, &v));
            ASSERT_GE(expected[i].size(), 2u);
            EXPECT_NEAR(v.x, expected[i][0], 1e-9) << "longitude of point " << i;
            EXPECT_NEAR(v.y, expected[i][1], 1e-9) << "latitude of point " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothTargets, Reprojector, ::testing::Values(kGsk2011, kWgs84),
                         [](const auto& target) {
                             return std::string(target.param == kGsk2011 ? "Gsk2011" : "Wgs84");
                         });

TEST(ReprojectorWrap, LongitudesAreWrappedAround45Degrees)
{
    zv_rpj_d2_t rpj = zv_rpj_d2_create();
    ASSERT_TRUE(zv_rpj_d2_init_w(rpj, u"+proj=longlat +datum=WGS84 +no_defs", kWgs84));
    zv_vertex_d2 west{-150.0, 10.0};
    ASSERT_TRUE(zv_rpj_d2_apply_vtx(rpj, &west));
    EXPECT_NEAR(west.x, 210.0, 1e-9); // [-135, 225) around 45
    EXPECT_NEAR(west.y, 10.0, 1e-9);
    zv_vertex_d2 east{-100.0, 10.0};
    ASSERT_TRUE(zv_rpj_d2_apply_vtx(rpj, &east));
    EXPECT_NEAR(east.x, -100.0, 1e-9);
    zv_rpj_d2_destroy(rpj);
}

TEST(ReprojectorFailure, UnknownDefinitionsMakeItUnusableAndInvalidPointsAreKept)
{
    zv_rpj_d2_t rpj = zv_rpj_d2_create();
    EXPECT_FALSE(zv_rpj_d2_init_w(rpj, u"", kWgs84));
    EXPECT_FALSE(zv_rpj_d2_init_w(rpj, u"+proj=nonesuch +ellps=WGS84", kWgs84));
    EXPECT_FALSE(zv_rpj_d2_init_w(rpj, u"PROJCS[broken", kWgs84));
    EXPECT_FALSE(zv_rpj_d2_init_w(rpj, nullptr, nullptr));
    zv_vertex_d2 v{1.0, 2.0};
    EXPECT_FALSE(zv_rpj_d2_apply_vtx(rpj, &v));
    EXPECT_EQ(v.x, 1.0);
    EXPECT_EQ(v.y, 2.0);
    // A failed init after a good one leaves it unusable too.
    ASSERT_TRUE(zv_rpj_d2_init_w(rpj, u"+proj=longlat +datum=WGS84", kWgs84));
    EXPECT_FALSE(zv_rpj_d2_init_w(rpj, u"+proj=nonesuch", kWgs84));
    EXPECT_FALSE(zv_rpj_d2_apply_vtx(rpj, &v));
    EXPECT_FALSE(zv_rpj_d2_init_w(nullptr, kWgs84, kWgs84));
    EXPECT_FALSE(zv_rpj_d2_apply_vtx(nullptr, &v));
    EXPECT_FALSE(zv_rpj_d2_apply_vtx(rpj, nullptr));
    zv_rpj_d2_destroy(nullptr);

    // An invalid point is refused and kept.
    ASSERT_TRUE(zv_rpj_d2_init_w(rpj, u"+proj=longlat +datum=WGS84", u"+proj=merc +datum=WGS84"));
    zv_vertex_d2 pole{0.0, 100.0};
    EXPECT_FALSE(zv_rpj_d2_apply_vtx(rpj, &pole));
    EXPECT_EQ(pole.y, 100.0);
    zv_rpj_d2_destroy(rpj);
}

TEST(TransformationCache, SamePairOfDefinitionsReusesOneTransformation)
{
    auto& session = zv::zvk_proj4_d2::proj_session::instance();
    const std::string source = zv::zvk_proj4_d2::crs_text(u"+proj=utm +zone=38 +datum=WGS84");
    const std::string target = zv::zvk_proj4_d2::crs_text(kWgs84);
    const auto first = session.transformation(source, target);
    ASSERT_TRUE(first);
    const std::size_t cached = session.cached_transformations();
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(session.transformation(source, target), first);
    }
    EXPECT_EQ(session.cached_transformations(), cached);
    EXPECT_NE(session.transformation(target, source), first);
}

TEST(TransformationCache, DefinitionTextIsTrimmedAndMarkedAsCoordinateSystem)
{
    EXPECT_EQ(zv::zvk_proj4_d2::crs_text(u"  +proj=longlat +ellps=WGS84 \n"),
              "+proj=longlat +ellps=WGS84 +type=crs");
    EXPECT_EQ(zv::zvk_proj4_d2::crs_text(u"+proj=longlat +type=crs"), "+proj=longlat +type=crs");
    EXPECT_EQ(zv::zvk_proj4_d2::crs_text(u"EPSG:4326"), "EPSG:4326");
    EXPECT_EQ(zv::zvk_proj4_d2::crs_text(u"   "), "");
}

} // namespace
