// Filling tables larger than the part a created table holds in memory: any
// order of writes gives the same file, and cells read before the table is
// closed show what was written so far.
#include "host/zvk_file_dbf.h"
#include "host_test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace
{

using zv::test::scoped_env;
using zv::test::scratch_folder;
using zv::test::u16;

// 113-byte records: about nine thousand fit in the part held in memory, so
// 30,000 records cross it several times.
constexpr uint32_t record_count = 30000;

std::vector<dbf_field_desc> table_fields()
{
    std::vector<dbf_field_desc> fields(2);
    std::strncpy(fields[0].name, "TXT", sizeof fields[0].name);
    fields[0].type = 'C';
    fields[0].length = 100;
    std::strncpy(fields[1].name, "NUM", sizeof fields[1].name);
    fields[1].type = 'N';
    fields[1].length = 12;
    return fields;
}

// The text a cell gets; every seventh record keeps its text cell blank.
std::u16string value(uint32_t field, uint32_t record)
{
    if (field == 1) {
        return u16(std::to_string(record * 3));
    }
    return record % 7 == 3 ? u"" : u16("r" + std::to_string(record) + " Жук");
}

using cell_visitor = std::function<void(uint32_t field, uint32_t record)>;

struct fill_order {
    const char* name;
    void (*visit)(const cell_visitor&);
};

void PrintTo(const fill_order& order, std::ostream* out)
{
    *out << order.name;
}

void by_record(const cell_visitor& cell)
{
    for (uint32_t r = 0; r < record_count; ++r) {
        cell(0, r);
        cell(1, r);
    }
}

void by_field(const cell_visitor& cell)
{
    for (uint32_t f = 0; f < 2; ++f) {
        for (uint32_t r = 0; r < record_count; ++r) {
            cell(f, r);
        }
    }
}

void backwards(const cell_visitor& cell)
{
    for (uint32_t r = record_count; r-- > 0;) {
        cell(1, r);
        cell(0, r);
    }
}

// Forward in strides that skip whole stretches, then back to fill the gaps.
void leaping(const cell_visitor& cell)
{
    for (uint32_t start = 0; start < 5; ++start) {
        for (uint32_t r = start; r < record_count; r += 5) {
            cell(0, r);
            cell(1, r);
        }
    }
}

class DbfFillOrder : public ::testing::TestWithParam<fill_order>
{
  protected:
    // Creates a table filled in the given order; empty text when it fails.
    std::string fill(const std::string& name, void (*visit)(const cell_visitor&))
    {
        const std::string path = dir.file(name);
        const std::vector<dbf_field_desc> fields = table_fields();
        zv_dbf_t t = zv_dbf_create_w(u16(path).c_str(), 2, record_count, fields.data(), 0);
        if (t == nullptr) {
            return {};
        }
        bool ok = true;
        visit([&](uint32_t f, uint32_t r) { ok = zv_dbf_set_str_w(t, f, r, value(f, r).c_str()) && ok; });
        zv_dbf_close(t);
        return ok ? zv::test::read_bytes(path) : std::string();
    }

    scoped_env ansi{"ZV_ANSI_CODEPAGE", "1251"};
    scratch_folder dir;
};

TEST_P(DbfFillOrder, GivesTheSameFileAsFillingRecordByRecord)
{
    const std::string expected = fill("by_record.dbf", by_record);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected.size(), 32 * 3 + 1 + std::size_t{record_count} * 113 + 1);
    const std::string bytes = fill("other.dbf", GetParam().visit);
    ASSERT_EQ(bytes.size(), expected.size());
    EXPECT_TRUE(bytes == expected) << "first difference at byte "
                                   << std::mismatch(bytes.begin(), bytes.end(), expected.begin()).first -
                                          bytes.begin();

    zv_dbf_t t = zv_dbf_open_w(u16(dir.file("other.dbf")).c_str(), true, 0);
    ASSERT_NE(t, nullptr);
    zv::test::captured_text text;
    for (uint32_t r : {0u, 3u, 9000u, 9500u, 18999u, record_count - 1}) {
        ASSERT_TRUE(zv_dbf_get_str_w(t, 0, r, text.handle()));
        EXPECT_TRUE(text.wide == value(0, r)) << r;
        EXPECT_STREQ(zv_dbf_get_str(t, 1, r, nullptr), std::to_string(r * 3).c_str());
    }
    zv_dbf_close(t);
}

INSTANTIATE_TEST_SUITE_P(Orders, DbfFillOrder,
                         ::testing::Values(fill_order{"ByField", by_field},
                                           fill_order{"Backwards", backwards},
                                           fill_order{"Leaping", leaping}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(DbfFillWindow, CellsReadBeforeClosingShowWhatWasWritten)
{
    scoped_env ansi("ZV_ANSI_CODEPAGE", "1252");
    scratch_folder dir;
    const std::string path = dir.file("t.dbf");
    const std::vector<dbf_field_desc> fields = table_fields();
    zv_dbf_t t = zv_dbf_create_w(u16(path).c_str(), 2, record_count, fields.data(), 0);
    ASSERT_NE(t, nullptr);
    for (uint32_t r = 0; r < 20000; ++r) {
        ASSERT_TRUE(zv_dbf_set_str(t, 0, r, ("row " + std::to_string(r)).c_str()));
    }
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 1, nullptr), "row 1") << "already written out";
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 19999, nullptr), "row 19999") << "still held";
    bool ok = false;
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 29000, &ok), "") << "not reached yet";
    EXPECT_TRUE(ok);
    EXPECT_FALSE(zv_dbf_set_str(t, 1, 2, "1234567890123")) << "too long: refused, cell unchanged";
    EXPECT_TRUE(zv_dbf_set_str(t, 1, 2, " 7 "));
    EXPECT_STREQ(zv_dbf_get_str(t, 1, 2, nullptr), "7");
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 19998, nullptr), "row 19998") << "kept when going back";
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 29999, "last"));
    zv_dbf_close(t);

    t = zv_dbf_open_w(u16(path).c_str(), true, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, nullptr), "row 0");
    EXPECT_STREQ(zv_dbf_get_str(t, 1, 2, nullptr), "7");
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 25000, nullptr), "");
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 29999, nullptr), "last");
    zv_dbf_close(t);
    const std::string bytes = zv::test::read_bytes(path);
    EXPECT_EQ(bytes.find('\0', 32 * 3 + 1), std::string::npos) << "every unwritten byte is a blank";
}

TEST(DbfFillWindow, EmptyTableAndUnfilledTableAreComplete)
{
    scratch_folder dir;
    const std::vector<dbf_field_desc> fields = table_fields();
    zv_dbf_t t = zv_dbf_create_w(u16(dir.file("none.dbf")).c_str(), 2, 0, fields.data(), 0);
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(zv_dbf_set_str(t, 0, 0, "x"));
    zv_dbf_close(t);
    EXPECT_EQ(zv::test::read_bytes(dir.file("none.dbf")).size(), 32 * 3 + 1 + 1u);

    t = zv_dbf_create_w(u16(dir.file("blank.dbf")).c_str(), 2, record_count, fields.data(), 0);
    ASSERT_NE(t, nullptr);
    zv_dbf_close(t);
    const std::string bytes = zv::test::read_bytes(dir.file("blank.dbf"));
    ASSERT_EQ(bytes.size(), 32 * 3 + 1 + std::size_t{record_count} * 113 + 1);
    EXPECT_EQ(bytes.find_first_not_of(' ', 32 * 3 + 1), bytes.size() - 1);
}

} // namespace
