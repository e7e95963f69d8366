// .prj files beside data files through zv_pj4_load_ex: how they are found
// and read, and the shift to WGS84 that a system without one of its own is
// given, checked against cs2cs from the system's EPSG code.
#include "captured_text.h"
#include "host/zvk_proj4_d2.h"
#include "kit/scratch_folder.h"
#include "proj_commands.h"

#include <shapefil.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace
{

using namespace zv::test;

// A .prj of tests/data/proj: ESRI WKT on one line as desktop GIS software
// writes it; utm37_bom.prj with a byte order mark, gk<zone>.prj Pulkovo 1942
// Gauss-Kruger zones without TOWGS84.
std::string prj(const std::string& name)
{
    return read_bytes(std::filesystem::path(ZV_TEST_DATA) / "proj" / name);
}

// Writes one polyline through the points as base.shp/.shx with shapelib (no
// points: a file without records, whose header box is zeros).
void write_line(const std::string& base, const std::vector<zv_vertex_d2>& points)
{
    SHPHandle shp = SHPCreate(base.c_str(), SHPT_ARC);
    ASSERT_NE(shp, nullptr);
    if (!points.empty()) {
        std::vector<double> xs, ys;
        for (const auto& p : points) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
        SHPObject* line =
            SHPCreateSimpleObject(SHPT_ARC, static_cast<int>(points.size()), xs.data(), ys.data(), nullptr);
        SHPWriteObject(shp, -1, line);
        SHPDestroyObject(line);
    }
    SHPClose(shp);
}

// What zv_pj4_load_ex delivers for the data file; empty when it fails.
std::string loaded_definition(const std::string& data_path)
{
    captured_text sink;
    return zv_pj4_load_ex(u16(data_path).c_str(), sink.handle()) ? narrow(sink.wide) : "";
}

TEST(PrjFile, WktBesideTheDataFileGivesAProj4DefinitionAMissingOrUnreadableOneNothing)
{
    const scratch_folder folder;
    captured_text sink;
    EXPECT_FALSE(zv_pj4_load_ex(u16(folder.file("none.shp")).c_str(), sink.handle()));
    for (const auto& [name, text] :
         {std::pair{"junk", "PROJCS[\"cut off"}, std::pair{"latin1", "GEOGCS[\"\xE9\"]"}}) {
        write_bytes(folder / (std::string(name) + ".prj"), text);
        EXPECT_FALSE(zv_pj4_load_ex(u16(folder.file(std::string(name) + ".shp")).c_str(), sink.handle()))
            << name;
    }
    EXPECT_FALSE(zv_pj4_load_ex(nullptr, sink.handle()));
    EXPECT_EQ(sink.calls, 0);
    write_bytes(folder / "line1.prj", prj("utm37_bom.prj"));
    ASSERT_TRUE(zv_pj4_load_ex(backslashed(folder.file("line1.shp")).c_str(), sink.handle()));
    EXPECT_EQ(sink.calls, 1);
    EXPECT_EQ(narrow(sink.wide), "+proj=utm +zone=37 +datum=WGS84 +units=m +no_defs +type=crs")
        << "WGS84 needs no shift";
}

// Gauss-Kruger data without a shift of its own, taken to WGS84 through the
// library, lands where cs2cs puts it from the zone's EPSG code, within the
// stated accuracy of the transformation that the data's extent selects:
// Pulkovo 1942 to WGS 84 (20), 3 m, on the Volga in zone 8; (10), 2 m, in
// the Caspian Sea in zone 9, whose files are named in capitals. Without the
// shift the points are over 100 m off.
TEST(PrjDatum, GaussKrugerWithoutShiftAgreesWithCs2csFromItsEpsgCode)
{
    const struct {
        int zone;
        const char* name;
        std::vector<zv_vertex_d2> line;
        double accuracy_m;
    } cases[] = {
        {8, "volga", {{8450000, 6180000}, {8500000, 6207000}, {8560000, 6260000}}, 3.0},
        {9, "CASPIAN", {{9520000, 5130000}, {9560000, 5170000}}, 2.0},
    };
    const scratch_folder folder;
    zv_rpj_d2_t rpj = zv_rpj_d2_create();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string base = folder.file(c.name);
        const bool capitals = std::isupper(static_cast<unsigned char>(c.name[0]));
        write_line(base, c.line);
        const std::string shp = base + (capitals ? ".SHP" : ".shp");
        std::filesystem::rename(base + ".shp", shp);
        std::filesystem::rename(base + ".shx", base + (capitals ? ".SHX" : ".shx"));
        write_bytes(base + (capitals ? ".PRJ" : ".prj"), prj("gk" + std::to_string(c.zone) + ".prj"));
        const std::string definition = loaded_definition(shp);
        EXPECT_NE(definition.find("+towgs84="), std::string::npos) << definition;
        ASSERT_TRUE(zv_rpj_d2_init_w(rpj, u16(definition).c_str(), kWgs84)) << definition;

        std::vector<zv_vertex_d2> north_east; // the EPSG code's axis order
        for (const auto& v : c.line)
            north_east.push_back({v.y, v.x});
        const rows lat_lon =
            proj_numbers("cs2cs -f %.10f EPSG:" + std::to_string(28400 + c.zone) + " EPSG:4326", north_east);
        ASSERT_EQ(lat_lon.size(), c.line.size()) << "cs2cs did not run";
        for (std::size_t i = 0; i < c.line.size(); ++i) {
            zv_vertex_d2 v = c.line[i];
            ASSERT_TRUE(zv_rpj_d2_apply_vtx(rpj, &v));
            const double metres_per_degree = 111320.0;
            const double north = (v.y - lat_lon[i].at(0)) * metres_per_degree;
            const double east =
                (v.x - lat_lon[i].at(1)) * metres_per_degree * std::cos(v.y * std::numbers::pi / 180);
            EXPECT_LE(std::hypot(north, east), c.accuracy_m) << "point " << i;
        }
    }
    zv_rpj_d2_destroy(rpj);
}

// A shift of the .prj's own is kept; a system PROJ knows no Helmert
// transformation for is left as it is; Gauss-Kruger without an extent (no
// .shp, or one without records) takes, of the transformations with the
// largest area, the most accurate: Pulkovo 1942 to WGS 84 (16), even right
// after the same .prj text was read for data on the Volga: (20).
TEST(PrjDatum, OwnShiftsAndUnknownDatumsStayAndNoExtentTakesTheLargestArea)
{
    const std::string largest_area = "+towgs84=25,-141,-78.5,0,0.35,0.736,0";
    const struct {
        const char* name;
        std::string prj;
        bool with_shp;
        std::string expected; // a part of the definition
        std::vector<zv_vertex_d2> line = {};
    } cases[] = {
        {"own", prj("gk8_own_shift.prj"), true, "+towgs84=28,-130,-95,0,0,0,0"},
        {"local", prj("site_1970.prj"), true, "+proj=longlat +ellps=krass +no_defs +type=crs"},
        {"volga", prj("gk8.prj"), true, "+towgs84=23.57,-140.95,-79.8,", {{8450000, 6180000}}},
        {"no_shp", prj("gk8.prj"), false, largest_area},
        {"empty_shp", prj("gk8.prj"), true, largest_area},
    };
    const scratch_folder folder;
    for (const auto& c : cases) {
        if (c.with_shp)
            write_line(folder.file(c.name), c.line);
        write_bytes(folder / (std::string(c.name) + ".prj"), c.prj);
        const std::string definition = loaded_definition(folder.file(c.name) + ".shp");
        EXPECT_NE(definition.find(c.expected), std::string::npos) << c.name << ": " << definition;
    }
}

} // namespace
