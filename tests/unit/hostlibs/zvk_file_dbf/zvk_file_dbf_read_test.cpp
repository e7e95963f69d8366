// Reading tables written by writers we did not write (pyshp and shapelib's
// dbfcreate/dbfadd), in the code pages a table declares by .cpg or by its
// language-driver byte; damaged tables fail to open.
#include "host/zvk_file_dbf.h"
#include "host_test_files.h"

#include <gtest/gtest.h>

namespace
{

using zv::test::captured_text;
using zv::test::scoped_env;
using zv::test::scratch_folder;
using zv::test::u16;

// Writes a table with pyshp: fields NAME C20, VAL N10.2, DAY D8, OK L1 and
// two records, text in the given Python encoding.
const char* const pyshp_table = R"(
import sys, shapefile, datetime
w = shapefile.Writer(dbf=sys.argv[1], encoding=sys.argv[2])
w.field('NAME', 'C', 20)
w.field('VAL', 'N', 10, 2)
w.field('DAY', 'D')
w.field('OK', 'L')
w.record(sys.argv[3], 12.5, datetime.date(2024, 3, 9), True)
w.record('  lead', -3, None, False)
w.close()
)";

std::u16string wide_cell(zv_dbf_t table, uint32_t field, uint32_t record)
{
    captured_text text;
    EXPECT_TRUE(zv_dbf_get_str_w(table, field, record, text.handle()));
    return text.wide;
}

std::string narrow_cell(zv_dbf_t table, uint32_t field, uint32_t record)
{
    bool ok = false;
    const char* text = zv_dbf_get_str(table, field, record, &ok);
    EXPECT_TRUE(ok);
    return text != nullptr ? text : "<null>";
}

class DbfRead : public ::testing::Test
{
  protected:
    // Makes t.dbf with pyshp; the first value is `name` in `encoding`.
    void make(const std::string& encoding, const std::string& name)
    {
        ASSERT_TRUE(zv::test::run_python(pyshp_table, {path, encoding, name}));
    }
    zv_dbf_t open() { return zv_dbf_open_w(u16(path).c_str(), true, 0); }

    scratch_folder dir;
    std::string path = dir.file("t.dbf");
};

TEST_F(DbfRead, Pyshp1251TableWithCpgGivesCyrillicWideAndAnsiText)
{
    scoped_env ansi("ZV_ANSI_CODEPAGE", "1251");
    make("cp1251", "Профиль №1");
    zv::test::write_bytes(dir.file("t.cpg"), "ANSI 1251\r\n");
    zv_dbf_t t = open();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(zv_dbf_get_nf(t), 4u);
    EXPECT_EQ(zv_dbf_get_nr(t), 2u);
    EXPECT_EQ(wide_cell(t, 0, 0), u"Профиль №1");
    EXPECT_EQ(narrow_cell(t, 0, 0), "\xCF\xF0\xEE\xF4\xE8\xEB\xFC \xB9\x31");
    EXPECT_EQ(narrow_cell(t, 1, 0), "12.50");
    EXPECT_EQ(narrow_cell(t, 2, 0), "20240309");
    EXPECT_EQ(narrow_cell(t, 3, 0), "T");
    EXPECT_EQ(narrow_cell(t, 0, 1), "  lead") << "leading blanks of text are data";
    EXPECT_EQ(narrow_cell(t, 1, 1), "-3.00");
    EXPECT_EQ(narrow_cell(t, 2, 1), "00000000");
    zv_dbf_close(t);
}

TEST_F(DbfRead, NarrowTextFollowsTheAnsiCodePageNotTheTable)
{
    make("cp1251", "Да");
    zv::test::write_bytes(dir.file("t.cpg"), "1251");
    scoped_env ansi("ZV_ANSI_CODEPAGE", "65001");
    zv_dbf_t t = open();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(narrow_cell(t, 0, 0), "Да");
    zv_dbf_close(t);
    scoped_env latin("ZV_ANSI_CODEPAGE", "1252");
    t = open();
    EXPECT_EQ(narrow_cell(t, 0, 0), "??") << "unrepresentable characters become '?'";
    EXPECT_EQ(wide_cell(t, 0, 0), u"Да");
    zv_dbf_close(t);
}

// The table's code page comes from its .cpg, else from its language-driver
// byte, else it is the ANSI code page.
TEST_F(DbfRead, CodePageDeclaredByCpgOrDriverByteOrNeither)
{
    struct code_page_case {
        const char *ansi, *encoding, *name, *cpg;
        char driver_byte; // 0: as pyshp wrote it
        std::u16string wide;
        const char* narrow; // nullptr: not checked
    };
    const code_page_case cases[] = {
        {"1252", "cp866", "Ёлка в лесу", nullptr, 0x65 /* DOS Russian */, u"Ёлка в лесу", nullptr},
        {"1251", "utf-8", "Широта ✓", "UTF-8", 0, u"Широта ✓", "\xD8\xE8\xF0\xEE\xF2\xE0 ?"},
        {"1251", "cp1251", "Юг", nullptr, 0, u"Юг", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoding);
        scoped_env ansi("ZV_ANSI_CODEPAGE", c.ansi);
        path = dir.file(std::string(c.encoding) + ".dbf");
        make(c.encoding, c.name);
        if (c.cpg != nullptr)
            zv::test::write_bytes(dir.file(std::string(c.encoding) + ".cpg"), c.cpg);
        if (c.driver_byte != 0) {
            std::string bytes = zv::test::read_bytes(path);
            bytes[29] = c.driver_byte;
            zv::test::write_bytes(path, bytes);
        }
        zv_dbf_t t = open();
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(wide_cell(t, 0, 0), c.wide);
        if (c.narrow != nullptr) {
            EXPECT_EQ(narrow_cell(t, 0, 0), c.narrow);
        }
        zv_dbf_close(t);
    }
}

TEST_F(DbfRead, FieldDescriptionsAndTypeCodes)
{
    make("utf-8", "x");
    zv_dbf_t t = open();
    ASSERT_NE(t, nullptr);
    const char* names[] = {"NAME", "VAL", "DAY", "OK"};
    const char letters[] = {'C', 'N', 'D', 'L'};
    const uint8_t lengths[] = {20, 10, 8, 1};
    for (uint32_t f = 0; f < 4; ++f) {
        EXPECT_STREQ(zv_dbf_get_field_name(t, f), names[f]);
        captured_text name;
        EXPECT_TRUE(zv_dbf_get_field_name_w(t, f, name.handle()));
        EXPECT_EQ(name.wide, u16(names[f]));
        EXPECT_EQ(zv_dbftype2char(zv_dbf_get_field_type(t, f)), letters[f]);
        EXPECT_EQ(zv_dbf_get_field_flen(t, f), lengths[f]);
    }
    EXPECT_EQ(zv_dbf_get_field_dlen(t, 1), 2);
    EXPECT_EQ(zv_dbf_get_field_dlen(t, 0), 0);
    zv_dbf_close(t);
}

TEST_F(DbfRead, ShapelibToolsTableInAnsiLanguageDriver)
{
    scoped_env ansi("ZV_ANSI_CODEPAGE", "1251");
    const std::string q = zv::test::quoted(path);
    ASSERT_TRUE(zv::test::run("dbfcreate " + q + " -s NAME 16 -n DEPTH 8 3"));
    // dbfadd stores the argument's bytes: Cyrillic in 1251.
    ASSERT_TRUE(
        zv::test::run("dbfadd " + q + " " + zv::test::quoted("\xD1\xEA\xE2\xE0\xE6\xE8\xED\xE0") + " 12.25"));
    ASSERT_TRUE(zv::test::run("dbfadd " + q + " plain -7"));
    zv_dbf_t t = open();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(zv_dbf_get_nr(t), 2u);
    EXPECT_EQ(wide_cell(t, 0, 0), u"Скважина");
    EXPECT_EQ(narrow_cell(t, 1, 0), "12.250");
    EXPECT_EQ(narrow_cell(t, 0, 1), "plain");
    EXPECT_EQ(narrow_cell(t, 1, 1), "-7.000");
    EXPECT_EQ(zv_dbf_get_field_type(t, 1), static_cast<uint32_t>(ZV_DBF_TYPE_NUMERIC));
    zv_dbf_close(t);
}

TEST_F(DbfRead, CellsOutsideTheTableAndNullHandlesFail)
{
    make("utf-8", "x");
    zv_dbf_t t = open();
    ASSERT_NE(t, nullptr);
    bool ok = true;
    EXPECT_EQ(zv_dbf_get_str(t, 4, 0, &ok), nullptr);
    EXPECT_FALSE(ok);
    EXPECT_EQ(zv_dbf_get_str(t, 0, 2, &ok), nullptr);
    EXPECT_FALSE(ok);
    captured_text text;
    EXPECT_FALSE(zv_dbf_get_str_w(t, 0, 2, text.handle()));
    EXPECT_EQ(text.calls, 0);
    EXPECT_EQ(zv_dbf_get_field_name(t, 4), nullptr);
    EXPECT_FALSE(zv_dbf_get_field_name_w(t, 4, text.handle()));
    EXPECT_EQ(zv_dbf_get_field_type(t, 4), static_cast<uint32_t>(ZV_DBF_TYPE_INVALID));
    EXPECT_EQ(zv_dbf_get_field_flen(t, 4), 0);
    EXPECT_FALSE(zv_dbf_set_str(t, 0, 0, "read-only"));
    EXPECT_EQ(narrow_cell(t, 0, 0), "x");
    zv_dbf_close(t);

    EXPECT_EQ(zv_dbf_get_nf(nullptr), 0u);
    EXPECT_EQ(zv_dbf_get_nr(nullptr), 0u);
    EXPECT_EQ(zv_dbf_get_str(nullptr, 0, 0, nullptr), nullptr);
    EXPECT_FALSE(zv_dbf_set_str_w(nullptr, 0, 0, u"x"));
    zv_dbf_close(nullptr);
}

TEST_F(DbfRead, WritableOpenChangesCellsInPlace)
{
    make("cp1251", "old");
    zv::test::write_bytes(dir.file("t.cpg"), "1251");
    zv_dbf_t t = zv_dbf_open_w(u16(path).c_str(), false, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(narrow_cell(t, 0, 0), "old");
    EXPECT_TRUE(zv_dbf_set_str_w(t, 0, 0, u"новое"));
    EXPECT_TRUE(zv_dbf_set_str(t, 1, 1, "42.75"));
    EXPECT_FALSE(zv_dbf_set_str(t, 1, 1, "123456789.25")) << "a number that does not fit";
    EXPECT_EQ(wide_cell(t, 0, 0), u"новое");
    zv_dbf_close(t);
    const auto out = zv::test::run_python(R"(
import sys, shapefile
r = shapefile.Reader(dbf=open(sys.argv[1], 'rb'), encoding='cp1251')
print(r.record(0)[0], r.record(1)[1])
)",
                                          {path});
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "новое 42.75\n");
}

TEST_F(DbfRead, BackslashesSeparateFoldersAndFindTheCodePageFile)
{
    make("cp1251", "Профиль");
    zv::test::write_bytes(dir.file("t.cpg"), "1251");
    zv_dbf_t t = zv_dbf_open_w(zv::test::backslashed(path).c_str(), false, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(wide_cell(t, 0, 0), u"Профиль") << "read in the code page of t.cpg";
    EXPECT_TRUE(zv_dbf_set_str_w(t, 0, 0, u"Запад"));
    zv_dbf_close(t);
    t = open();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(wide_cell(t, 0, 0), u"Запад");
    zv_dbf_close(t);
}

class DbfDamaged : public DbfRead
{
  protected:
    void SetUp() override { make("utf-8", "value"); }
    bool opens_with(const std::string& bytes)
    {
        zv::test::write_bytes(path, bytes);
        zv_dbf_t t = open();
        zv_dbf_close(t);
        return t != nullptr;
    }
};

TEST_F(DbfDamaged, TruncatedTablesAndWrongCountsDoNotOpen)
{
    const std::string good = zv::test::read_bytes(path);
    EXPECT_TRUE(opens_with(good)) << "intact";
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{10}, std::size_t{40}, std::size_t{160}, good.size() - 2}) {
        EXPECT_FALSE(opens_with(good.substr(0, cut))) << "cut at " << cut;
    }
    std::string more_records = good;
    more_records[4] = 3;
    EXPECT_FALSE(opens_with(more_records));
    std::string short_record = good;
    short_record[10] = 5; // record length below the fields' total
    short_record[11] = 0;
    EXPECT_FALSE(opens_with(short_record));
    std::string short_header = good;
    short_header[8] = 40; // header ends inside the first descriptor
    short_header[9] = 0;
    EXPECT_FALSE(opens_with(short_header));
}

TEST_F(DbfDamaged, MissingFilesAndFoldersDoNotOpen)
{
    EXPECT_EQ(zv_dbf_open_w(u16(dir.file("absent.dbf")).c_str(), true, 0), nullptr);
    EXPECT_EQ(zv_dbf_open_w(u16(dir.path().string()).c_str(), true, 0), nullptr);
    EXPECT_EQ(zv_dbf_open_w(nullptr, true, 0), nullptr);
    EXPECT_EQ(zv_dbf_open_w(u16(path).c_str(), true, 1), nullptr);
}

} // namespace
