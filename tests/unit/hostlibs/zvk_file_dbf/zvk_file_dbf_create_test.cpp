// Creating tables: what we write is read back by pyshp in the right code
// page, creation replaces a file only when complete, and never disturbs a
// handle that is reading the file it replaces.
#include "host/zvk_file_dbf.h"
#include "host_test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace
{

using zv::test::captured_text;
using zv::test::scoped_env;
using zv::test::scratch_folder;
using zv::test::u16;

dbf_field_desc desc(const char* name, char type, uint8_t length, uint8_t decimals = 0)
{
    dbf_field_desc d{};
    std::strncpy(d.name, name, sizeof d.name);
    d.type = type;
    d.length = length;
    d.decimals = decimals;
    return d;
}

// Prints every record of a table as "a|b|c" lines, text decoded with the
// encoding given.
const char* const pyshp_dump = R"(
import sys, shapefile
r = shapefile.Reader(dbf=open(sys.argv[1], 'rb'), encoding=sys.argv[2])
print(','.join(f[0] + ':' + f[1] + str(f[2]) + '.' + str(f[3]) for f in r.fields[1:]))
for rec in r.records():
    print('|'.join('' if v is None else str(v) for v in rec))
)";

class DbfCreate : public ::testing::Test
{
  protected:
    zv_dbf_t create(uint32_t records)
    {
        return zv_dbf_create_w(u16(path).c_str(), static_cast<uint32_t>(fields.size()), records,
                               fields.data(), 0);
    }
    std::string dump(const std::string& encoding)
    {
        const auto out = zv::test::run_python(pyshp_dump, {path, encoding});
        return out ? *out : "<pyshp failed>";
    }

    scratch_folder dir;
    std::string path = dir.file("out.dbf");
    std::vector<dbf_field_desc> fields{desc("NAME", 'C', 12), desc("DEPTH", 'N', 8, 2),
                                       desc("LAT_B_W84", 'C', 20)};
};

TEST_F(DbfCreate, TableIn1251IsReadByPyshpWithDriverByteAndCpg)
{
    scoped_env ansi("ZV_ANSI_CODEPAGE", "1251");
    zv_dbf_t t = create(2);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(zv_dbf_set_str_w(t, 0, 0, u"Скважина 7"));
    EXPECT_TRUE(zv_dbf_set_str(t, 1, 0, "12.50"));
    EXPECT_TRUE(zv_dbf_set_str(t, 2, 0, "55.123456789"));
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 1, "\xDE\xE3")); // "Юг" in the ANSI code page
    zv_dbf_close(t);
    EXPECT_EQ(dump("cp1251"), "NAME:C12.0,DEPTH:N8.2,LAT_B_W84:C20.0\n"
                              "Скважина 7|12.5|55.123456789\n"
                              "Юг||\n");
    const std::string bytes = zv::test::read_bytes(path);
    ASSERT_GT(bytes.size(), 32u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[29]), 0xC9);
    EXPECT_EQ(zv::test::read_bytes(dir.file("out.cpg")), "1251");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.cpg", "out.dbf"})) << "no temporary file is left";
}

TEST_F(DbfCreate, TableInUtf8IsReadByPyshpAndCutAtCharacterBoundaries)
{
    scoped_env ansi("ZV_ANSI_CODEPAGE", "65001");
    zv_dbf_t t = create(1);
    ASSERT_NE(t, nullptr);
    // 13 bytes in UTF-8: the 12-byte field keeps whole characters only.
    EXPECT_TRUE(zv_dbf_set_str_w(t, 0, 0, u"абвгдеж"));
    zv_dbf_close(t);
    EXPECT_EQ(dump("utf-8"), "NAME:C12.0,DEPTH:N8.2,LAT_B_W84:C20.0\nабвгде||\n");
    EXPECT_EQ(zv::test::read_bytes(dir.file("out.cpg")), "UTF-8");
}

TEST_F(DbfCreate, NewTableHasEmptyRecordsAndOurReaderAgrees)
{
    scoped_env ansi("ZV_ANSI_CODEPAGE", "1252");
    zv_dbf_t t = create(3);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(zv_dbf_get_nr(t), 3u);
    EXPECT_EQ(zv_dbf_get_nf(t), 3u);
    EXPECT_STREQ(zv_dbf_get_field_name(t, 2), "LAT_B_W84");
    bool ok = false;
    EXPECT_STREQ(zv_dbf_get_str(t, 1, 2, &ok), "");
    EXPECT_TRUE(ok);
    EXPECT_TRUE(zv_dbf_set_str(t, 1, 2, "-0.5"));
    zv_dbf_close(t);

    t = zv_dbf_open_w(u16(path).c_str(), true, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(zv_dbf_get_nr(t), 3u);
    EXPECT_EQ(zv_dbftype2char(zv_dbf_get_field_type(t, 1)), 'N');
    EXPECT_EQ(zv_dbf_get_field_flen(t, 1), 8);
    EXPECT_EQ(zv_dbf_get_field_dlen(t, 1), 2);
    EXPECT_STREQ(zv_dbf_get_str(t, 1, 2, &ok), "-0.5");
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, &ok), "");
    zv_dbf_close(t);
    const std::string bytes = zv::test::read_bytes(path);
    EXPECT_EQ(static_cast<unsigned char>(bytes[29]), 0x03);
    EXPECT_EQ(bytes.back(), '\x1A');
    EXPECT_NE(bytes.find("    -0.5"), std::string::npos) << "numbers are right-justified";
}

TEST_F(DbfCreate, ValuesAreCutOrRefusedByFieldType)
{
    fields = {desc("TXT", 'C', 4), desc("NUM", 'N', 4), desc("DAY", 'D', 8), desc("OK", 'L', 1)};
    zv_dbf_t t = create(1);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 0, "abcdefgh"));
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, nullptr), "abcd");
    EXPECT_FALSE(zv_dbf_set_str(t, 1, 0, "12345"));
    EXPECT_TRUE(zv_dbf_set_str(t, 1, 0, " 12 "));
    EXPECT_STREQ(zv_dbf_get_str(t, 1, 0, nullptr), "12");
    EXPECT_TRUE(zv_dbf_set_str(t, 2, 0, "20250101"));
    EXPECT_FALSE(zv_dbf_set_str(t, 3, 0, "TRUE"));
    EXPECT_TRUE(zv_dbf_set_str(t, 3, 0, "T"));
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 0, nullptr));
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, nullptr), "");
    EXPECT_TRUE(zv_dbf_set_str_w(t, 0, 0, u"wxyzЖ")) << "cut before the character that does not fit";
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, nullptr), "wxyz");
    EXPECT_TRUE(zv_dbf_set_str_w(t, 0, 0, u"ab"));
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, nullptr), "ab") << "the rest of the cell is blank again";
    EXPECT_FALSE(zv_dbf_set_str_w(t, 1, 0, std::u16string(300, u'7').c_str()));
    EXPECT_STREQ(zv_dbf_get_str(t, 1, 0, nullptr), "12");
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 0, nullptr));
    EXPECT_FALSE(zv_dbf_set_str(t, 4, 0, "x"));
    EXPECT_FALSE(zv_dbf_set_str(t, 0, 1, "x"));
    zv_dbf_close(t);
    EXPECT_EQ(dump("ascii"), "TXT:C4.0,NUM:N4.0,DAY:D8.0,OK:L1.0\n|12|2025-01-01|True\n");
}

TEST_F(DbfCreate, TypeLettersRoundTripThroughCodesAndLongNamesAreCut)
{
    fields = {desc("A", 'C', 1), desc("B", 'N', 3),  desc("C", 'F', 5, 1), desc("D", 'D', 8),
              desc("E", 'L', 1), desc("F", 'M', 10), desc("G", 'Q', 2)};
    zv_dbf_t t = create(0);
    ASSERT_NE(t, nullptr);
    zv_dbf_close(t);
    t = zv_dbf_open_w(u16(path).c_str(), true, 0);
    ASSERT_NE(t, nullptr);
    for (uint32_t f = 0; f < fields.size(); ++f) {
        EXPECT_EQ(zv_dbftype2char(zv_dbf_get_field_type(t, f)), fields[f].type);
    }
    EXPECT_EQ(zv_dbf_get_field_type(t, 0), static_cast<uint32_t>(ZV_DBF_TYPE_CHARACTER));
    zv_dbf_close(t);
    EXPECT_EQ(zv_dbftype2char(ZV_DBF_TYPE_INVALID), '\0');
    EXPECT_EQ(zv_dbftype2char(0x7777), '\0');

    // A long name is cut after ten characters.
    fields = {desc("A", 'C', 5)};
    std::memcpy(fields[0].name, "ABCDEFGHIJK", 11); // no terminating zero
    t = create(1);
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(zv_dbf_get_field_name(t, 0), "ABCDEFGHIJ");
    zv_dbf_close(t);
}

TEST_F(DbfCreate, ReplacesAnExistingTable)
{
    zv::test::write_bytes(path, "not a table at all");
    zv_dbf_t t = create(1);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(zv::test::read_bytes(path), "not a table at all") << "replaced only when complete";
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 0, "new"));
    zv_dbf_close(t);
    EXPECT_EQ(dump("ascii"), "NAME:C12.0,DEPTH:N8.2,LAT_B_W84:C20.0\nnew||\n");
}

TEST_F(DbfCreate, CreatingOverATableThatIsBeingReadLeavesTheReaderIntact)
{
    zv_dbf_t t = create(2);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 0, "first"));
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 1, "second"));
    zv_dbf_close(t);

    zv_dbf_t reader = zv_dbf_open_w(u16(path).c_str(), true, 0);
    ASSERT_NE(reader, nullptr);
    fields.push_back(desc("EXTRA", 'C', 30));
    zv_dbf_t writer = create(2);
    ASSERT_NE(writer, nullptr);
    for (uint32_t r = 0; r < 2; ++r) {
        bool ok = false;
        const std::string value = zv_dbf_get_str(reader, 0, r, &ok);
        ASSERT_TRUE(ok);
        EXPECT_TRUE(zv_dbf_set_str(writer, 0, r, value.c_str()));
        EXPECT_TRUE(zv_dbf_set_str(writer, 3, r, "appended"));
    }
    zv_dbf_close(writer);
    EXPECT_EQ(zv_dbf_get_nf(reader), 3u);
    EXPECT_STREQ(zv_dbf_get_str(reader, 0, 1, nullptr), "second");
    zv_dbf_close(reader);
    EXPECT_EQ(dump("ascii"),
              "NAME:C12.0,DEPTH:N8.2,LAT_B_W84:C20.0,EXTRA:C30.0\nfirst|||appended\nsecond|||appended\n");
}

TEST_F(DbfCreate, FailedCreationLeavesNothingBehind)
{
    std::vector<dbf_field_desc> none;
    EXPECT_EQ(zv_dbf_create_w(u16(path).c_str(), 0, 1, none.data(), 0), nullptr);
    EXPECT_EQ(zv_dbf_create_w(u16(path).c_str(), 1, 1, nullptr, 0), nullptr);
    fields = {desc("", 'C', 5)};
    EXPECT_EQ(create(1), nullptr) << "empty name";
    fields = {desc("A", 'C', 0)};
    EXPECT_EQ(create(1), nullptr) << "zero length";
    fields.assign(300, desc("WIDE", 'C', 255));
    EXPECT_EQ(create(1), nullptr) << "record over 65535 bytes";
    fields = {desc("A", 'C', 5)};
    EXPECT_EQ(zv_dbf_create_w(u16(path).c_str(), 1, 1, fields.data(), 7), nullptr);
    EXPECT_EQ(zv_dbf_create_w(nullptr, 1, 1, fields.data(), 0), nullptr);
    EXPECT_TRUE(dir.entries().empty());

    EXPECT_EQ(zv_dbf_create_w(u16(dir.file("missing/out.dbf")).c_str(), 1, 1, fields.data(), 0), nullptr);
    zv::test::write_bytes(dir.file("out"), "a file where a folder should be");
    EXPECT_EQ(zv_dbf_create_w(u16(dir.file("out/t.dbf")).c_str(), 1, 1, fields.data(), 0), nullptr);
    ::mkdir(dir.file("folder.dbf").c_str(), 0755);
    EXPECT_EQ(zv_dbf_create_w(u16(dir.file("folder.dbf")).c_str(), 1, 1, fields.data(), 0), nullptr);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.dbf", "out"}));
}

TEST_F(DbfCreate, AnsiCodePageTheSystemCannotConvertRefusesWideText)
{
    scoped_env ansi("ZV_ANSI_CODEPAGE", "4");
    zv_dbf_t t = create(1);
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(zv_dbf_set_str_w(t, 0, 0, u"Ж"));
    // Narrow text is already in the table's code page: it passes unconverted.
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 0, "plain"));
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, nullptr), "plain");
    EXPECT_FALSE(zv_dbf_set_str_w(t, 0, 0, u"abЖ"));
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, nullptr), "plain") << "a refused value leaves the cell as it was";
    captured_text wide;
    EXPECT_FALSE(zv_dbf_get_str_w(t, 0, 0, wide.handle()));
    EXPECT_EQ(wide.calls, 0);
    zv_dbf_close(t);
}

TEST_F(DbfCreate, BackslashesSeparateFoldersAndCyrillicNamesWork)
{
    std::filesystem::create_directory(dir.file("out"));
    const std::u16string inner = zv::test::backslashed(dir.file("out/t.dbf"));
    zv_dbf_t t = zv_dbf_create_w(inner.c_str(), static_cast<uint32_t>(fields.size()), 1, fields.data(), 0);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 0, "north"));
    zv_dbf_close(t);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out"})) << "no file named with a backslash";
    path = dir.file("out/t.dbf");
    const std::string table = dump("utf-8");
    EXPECT_EQ(table.substr(table.find('\n') + 1), "north||\n");
    t = zv_dbf_open_w(inner.c_str(), true, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(zv_dbf_get_nr(t), 1u);
    zv_dbf_close(t);

    path = dir.file("профиль.dbf");
    t = create(1);
    ASSERT_NE(t, nullptr);
    zv_dbf_close(t);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out", "профиль.cpg", "профиль.dbf"}));
    t = zv_dbf_open_w(u16(path).c_str(), true, 0);
    EXPECT_NE(t, nullptr);
    zv_dbf_close(t);
}

} // namespace
