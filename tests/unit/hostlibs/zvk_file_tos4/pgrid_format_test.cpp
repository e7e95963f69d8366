#include "pgrid_format.h"
#include "pgrid_sample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace
{

using namespace zv::zvk_file_tos4;

TEST(PgridFormat, TableSurvivesSerializeAndParseBehindALittleEndianHeaderAndValuesFollowIt)
{
    const header h = zv::test::sample_header();
    ASSERT_EQ(validate(h), "");
    const auto bytes = serialize(h);
    EXPECT_EQ(bytes.size(), table_bytes(h.properties));
    EXPECT_EQ(bytes[0], 0x89);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 8), "PGRID\r\n");
    EXPECT_EQ(bytes[8] + 256 * bytes[9], 1) << "version";
    EXPECT_EQ(bytes[12], 5) << "property count";
    EXPECT_EQ(bytes[16], 3) << "object count";
    const auto fixed = parse_fixed(bytes.data(), bytes.size());
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->object_count, 3u);
    EXPECT_EQ(fixed->data_offset, bytes.size());
    const auto parsed = parse_table(*fixed, bytes.data() + kHeaderBytes, bytes.size() - kHeaderBytes);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->properties.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(parsed->properties[k].name, h.properties[k].name);
        EXPECT_EQ(parsed->properties[k].caption, h.properties[k].caption);
        EXPECT_EQ(parsed->properties[k].type, h.properties[k].type);
    }
    EXPECT_TRUE(std::isnan(parsed->properties[0].nodata));
    EXPECT_EQ(parsed->properties[1].nodata, -9999.0);
    // The values follow the table, property by property.
    const auto start = bytes.size();
    EXPECT_EQ(values_offset(h, 1), start + 3 * 4);
    EXPECT_EQ(values_offset(h, 2), start + 3 * 4 + 3 * 8);
    EXPECT_EQ(file_bytes(h), start + 3 * (4 + 8 + 4 + 2 + 1));
}

TEST(PgridFormat, InvalidTablesAreRefused)
{
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

TEST(PgridFormat, DamagedHeaderIsRefused)
{
    const auto bytes = serialize(zv::test::sample_header());
    const std::pair<std::size_t, unsigned char> damages[] = {
        {3, 'X'},   // magic
        {31, 0x7F}, // data offset far beyond any table
    };
    for (const auto& [at, value] : damages) {
        auto wrong = bytes;
        wrong[at] = value;
        EXPECT_FALSE(parse_fixed(wrong.data(), wrong.size())) << "byte " << at;
    }
    auto wrong = bytes;
    wrong[12] = wrong[13] = wrong[14] = 0xFF; // more properties than the table holds
    const auto fixed = parse_fixed(wrong.data(), wrong.size());
    ASSERT_TRUE(fixed);
    EXPECT_FALSE(parse_table(*fixed, wrong.data() + kHeaderBytes, wrong.size() - kHeaderBytes));
}

} // namespace
