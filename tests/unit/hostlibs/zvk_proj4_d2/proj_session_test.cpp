#include "proj_session.h"

#include <gtest/gtest.h>

namespace
{

using namespace zv::zvk_proj4_d2;

TEST(ProjSession, SamePairOfDefinitionsReusesOneTransformationAndDefinitionsAreTrimmedAndMarked)
{
    auto& session = proj_session::instance();
    const std::string source = crs_text(u"+proj=utm +zone=38 +datum=WGS84");
    const std::string target = crs_text(u"+proj=longlat +datum=WGS84 +lon_wrap=45 +no_defs");
    const auto first = session.transformation(source, target);
    ASSERT_TRUE(first);
    const std::size_t cached = session.cached_transformations();
    EXPECT_EQ(session.transformation(source, target), first);
    EXPECT_EQ(session.cached_transformations(), cached);
    EXPECT_NE(session.transformation(target, source), first);
    // Definition text is trimmed and marked as a coordinate system.
    EXPECT_EQ(crs_text(u"  +proj=longlat +ellps=WGS84 \n"), "+proj=longlat +ellps=WGS84 +type=crs");
    EXPECT_EQ(crs_text(u"+proj=longlat +type=crs"), "+proj=longlat +type=crs");
    EXPECT_EQ(crs_text(u"EPSG:4326"), "EPSG:4326");
    EXPECT_EQ(crs_text(u"   "), "");
}

} // namespace
