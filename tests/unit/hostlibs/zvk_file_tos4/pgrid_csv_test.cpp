// CSV reading and writing as RFC 4180 describes it.
#include "pgrid_csv.h"

#include <gtest/gtest.h>

namespace
{

using zv::zvk_file_tos4::csv_field;
using zv::zvk_file_tos4::csv_row;
using zv::zvk_file_tos4::parse_csv;

TEST(PgridCsv, ReadsQuotedFieldsWithCommasQuotesAndLineBreaks)
{
    std::string error;
    const auto t = parse_csv("a,\"b, c\",\"say \"\"hi\"\"\"\r\n1,\"2\r\nx\",\r\n", &error);
    ASSERT_TRUE(t) << error;
    EXPECT_EQ(t->header, (std::vector<std::string>{"a", "b, c", "say \"hi\""}));
    ASSERT_EQ(t->rows.size(), 1u);
    EXPECT_EQ(t->rows[0], (std::vector<std::string>{"1", "2\r\nx", ""}));
}

TEST(PgridCsv, AcceptsLfLineEndsMissingLastLineEndByteOrderMarkAndNoRows)
{
    std::string error;
    const auto t = parse_csv("\xEF\xBB\xBFx,y\n1,2\n3,4", &error);
    ASSERT_TRUE(t) << error;
    EXPECT_EQ(t->header[0], "x");
    ASSERT_EQ(t->rows.size(), 2u);
    EXPECT_EQ(t->rows[1][1], "4");
    const auto header_only = parse_csv("x,y\r\n", &error);
    ASSERT_TRUE(header_only);
    EXPECT_TRUE(header_only->rows.empty());
}

TEST(PgridCsv, MalformedInputIsRefusedWithItsLine)
{
    std::string error;
    EXPECT_FALSE(parse_csv("", &error));
    EXPECT_FALSE(parse_csv("a,b\r\n1,2\r\n3\r\n", &error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_FALSE(parse_csv("a\r\n\"open\r\n", &error));
    EXPECT_NE(error.find("closing quote"), std::string::npos) << error;
    EXPECT_FALSE(parse_csv("a\r\n\"x\"y\r\n", &error));
    EXPECT_FALSE(parse_csv("a\r\nx\"y\r\n", &error));
    EXPECT_FALSE(parse_csv("a\rb\r\n", &error));
    EXPECT_FALSE(parse_csv("a\r\n\xC3\x28\r\n", &error));
    EXPECT_NE(error.find("UTF-8"), std::string::npos) << error;
}

TEST(PgridCsv, WritesQuotesOnlyWhereNeeded)
{
    EXPECT_EQ(csv_field("plain"), "plain");
    EXPECT_EQ(csv_field("a,b"), "\"a,b\"");
    EXPECT_EQ(csv_field("q\"q"), "\"q\"\"q\"");
    EXPECT_EQ(csv_field("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csv_row({"a", "", "b c"}), "a,,b c\r\n");
}

TEST(PgridCsv, WrittenRowsReadBackUnchanged)
{
    const std::vector<std::string> fields = {"Глубина, м", "\"", "", "x\r\ny", " space "};
    std::string error;
    const auto t = parse_csv(csv_row(fields) + csv_row(fields), &error);
    ASSERT_TRUE(t) << error;
    EXPECT_EQ(t->header, fields);
    ASSERT_EQ(t->rows.size(), 1u);
    EXPECT_EQ(t->rows[0], fields);
}

} // namespace
