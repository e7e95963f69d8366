// CSV reading and writing as RFC 4180 describes it.
#include "pgrid_csv.h"

#include <gtest/gtest.h>

namespace
{

using namespace zv::zvk_file_tos4;

// Quoted fields are read in the round trip of the next test.
TEST(PgridCsv, ReadsLineEndsByteOrderMarkAndHeaderOnlyAndRefusesMalformedInputWithItsReason)
{
    std::string error;
    auto t = parse_csv("\xEF\xBB\xBFx,y\n1,2\n3,4", &error);
    ASSERT_TRUE(t) << error;
    EXPECT_EQ(t->header[0], "x");
    EXPECT_EQ(t->rows, (std::vector<std::vector<std::string>>{{"1", "2"}, {"3", "4"}}));
    t = parse_csv("x,y\r\n", &error);
    ASSERT_TRUE(t) << error;
    EXPECT_TRUE(t->rows.empty());
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"a,b\r\n1,2\r\n3\r\n", "line 3"},
        {"a\r\n\"open\r\n", "closing quote"},
        {"a\r\n\"x\"y\r\n", ""},
        {"a\r\nx\"y\r\n", ""},
        {"a\rb\r\n", ""},
        {"a\r\n\xC3\x28\r\n", "UTF-8"},
    };
    for (const auto& [csv, reason] : cases) {
        error.clear();
        EXPECT_FALSE(parse_csv(csv, &error)) << csv;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

TEST(PgridCsv, WritesQuotesOnlyWhereNeededAndReadsItsRowsBackUnchanged)
{
    EXPECT_EQ(csv_field("plain"), "plain");
    EXPECT_EQ(csv_field("q\"q"), "\"q\"\"q\"");
    EXPECT_EQ(csv_row({"a", "", "b c"}), "a,,b c\r\n");
    const std::vector<std::string> fields = {"Глубина, м", "\"", "", "x\r\ny", " space "};
    std::string error;
    const auto t = parse_csv(csv_row(fields) + csv_row(fields), &error);
    ASSERT_TRUE(t) << error;
    EXPECT_EQ(t->header, fields);
    EXPECT_EQ(t->rows, std::vector<std::vector<std::string>>{fields});
}

} // namespace
