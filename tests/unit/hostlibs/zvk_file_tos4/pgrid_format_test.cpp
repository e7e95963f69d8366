// Property tables that the writer refuses. (The layout of the bytes is held
// to docs/pgrid.md by samples.reproducible, which compares the committed
// sample grid with what the pgrid command makes; tables and values read back
// as written in pgrid_commands_test.cpp and exports_test.cpp, damaged
// headers are refused there with their reasons.)
#include "pgrid_format.h"
#include "pgrid_sample.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{

using namespace zv::zvk_file_tos4;

TEST(PgridFormat, InvalidTablesAreRefused)
{
    ASSERT_EQ(validate(zv::test::sample_header()), "");
    const std::pair<const char*, void (*)(header&)> damages[] = {
        {"name twice", [](header& h) { h.properties[1].name = "poro"; }},
        {"empty name", [](header& h) { h.properties[0].name = ""; }},
        {"no-data beyond i16", [](header& h) { h.properties[3].nodata = 40000.0; }},
        {"no-data not a float", [](header& h) { h.properties[0].nodata = 0.1; }},
        {"caption not UTF-8", [](header& h) { h.properties[0].caption = "\xFF"; }},
        {"unknown type", [](header& h) { h.properties[0].type = static_cast<stored_type>(9); }},
        {"object count", [](header& h) { h.object_count = UINT64_MAX / 2; }},
    };
    for (const auto& [what, damage] : damages) {
        header h = zv::test::sample_header();
        damage(h);
        EXPECT_NE(validate(h), "") << what;
    }
}

} // namespace
