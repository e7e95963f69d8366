#include "prj_file.h"
#include "proj_tools.h"

#include "host/zvk_proj4_d2.h"

#include <gtest/gtest.h>

#include <fstream>

namespace
{

// A .prj as desktop GIS software writes it (ESRI WKT, one line).
const char* const kUtm37Wkt = "PROJCS[\"WGS_1984_UTM_Zone_37N\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\","
                              "SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],"
                              "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
                              "PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],"
                              "PARAMETER[\"Central_Meridian\",39.0],PARAMETER[\"Scale_Factor\",0.9996],"
                              "PARAMETER[\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]";

class PrjFile : public ::testing::Test
{
  protected:
    std::u16string data_path(const std::string& name) const
    {
        const std::string p = (folder.path() / name).string();
        return std::u16string(p.begin(), p.end());
    }
    void write(const std::string& name, const std::string& text) const
    {
        std::ofstream(folder.path() / name, std::ios::binary) << text;
    }
    zv::test::scratch_folder folder;
};

TEST_F(PrjFile, WktBesideTheDataFileGivesItsProj4Definition)
{
    write("line1.prj", kUtm37Wkt);
    zv::test::captured_text sink;
    ASSERT_TRUE(zv_pj4_load_ex(data_path("line1.shp").c_str(), sink.handle()));
    EXPECT_EQ(sink.calls, 1);
    const std::string definition(sink.wide.begin(), sink.wide.end());
    EXPECT_NE(definition.find("+proj=utm"), std::string::npos) << definition;
    EXPECT_NE(definition.find("+zone=37"), std::string::npos) << definition;

    // The definition is one a reprojector accepts, with the expected result
    // for the zone's central meridian.
    zv_rpj_d2_t rpj = zv_rpj_d2_create();
    ASSERT_TRUE(zv_rpj_d2_init_w(rpj, sink.wide.c_str(), u"+proj=longlat +datum=WGS84 +no_defs"));
    zv_vertex_d2 v{500000.0, 0.0};
    ASSERT_TRUE(zv_rpj_d2_apply_vtx(rpj, &v));
    EXPECT_NEAR(v.x, 39.0, 1e-9);
    EXPECT_NEAR(v.y, 0.0, 1e-9);
    zv_rpj_d2_destroy(rpj);
}

TEST_F(PrjFile, ByteOrderMarkAndBackslashSeparatorsAreAccepted)
{
    write("a.prj", "\xEF\xBB\xBFGEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
                   "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]");
    std::u16string path = data_path("a.shp");
    const auto slash = path.find_last_of(u'/');
    path[slash] = u'\\';
    zv::test::captured_text sink;
    ASSERT_TRUE(zv_pj4_load_ex(path.c_str(), sink.handle()));
    const std::string definition(sink.wide.begin(), sink.wide.end());
    EXPECT_NE(definition.find("+proj=longlat"), std::string::npos) << definition;
}

TEST_F(PrjFile, MissingEmptyOrUnreadablePrjDeliversNothing)
{
    zv::test::captured_text sink;
    EXPECT_FALSE(zv_pj4_load_ex(data_path("none.shp").c_str(), sink.handle()));
    write("empty.prj", "");
    EXPECT_FALSE(zv_pj4_load_ex(data_path("empty.shp").c_str(), sink.handle()));
    write("junk.prj", "PROJCS[\"cut off");
    EXPECT_FALSE(zv_pj4_load_ex(data_path("junk.shp").c_str(), sink.handle()));
    write("latin1.prj", "GEOGCS[\"\xE9\"]");
    EXPECT_FALSE(zv_pj4_load_ex(data_path("latin1.shp").c_str(), sink.handle()));
    EXPECT_FALSE(zv_pj4_load_ex(nullptr, sink.handle()));
    EXPECT_FALSE(zv_pj4_load_ex(u"", sink.handle()));
    EXPECT_EQ(sink.calls, 0);
}

TEST(PrjPath, ExtensionOfTheFileNameIsReplaced)
{
    using zv::zvk_proj4_d2::prj_path;
    EXPECT_EQ(prj_path(u"/d/line1.shp"), u"/d/line1.prj");
    EXPECT_EQ(prj_path(u"D:\\data.v2\\line1"), u"D:\\data.v2\\line1.prj");
    EXPECT_EQ(prj_path(u"/d/a.b.shp"), u"/d/a.b.prj");
    EXPECT_EQ(prj_path(u"/d/.hidden"), u"/d/.hidden.prj");
}

} // namespace
