// The table functions against tables that pyshp writes, and our tables read
// back by pyshp: code pages by .cpg or ANSI code page; damaged tables;
// creation that replaces a file only when complete; out-of-order filling
// giving the same file as record by record.
#include "captured_text.h"
#include "foundation/code_page.h"
#include "foundation/utf.h"
#include "host/zvk_file_dbf.h"
#include "kit/command.h"
#include "kit/file_faults.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

static_assert(sizeof(dbf_field_desc) == 14 && offsetof(dbf_field_desc, type) == 11 &&
                  offsetof(dbf_field_desc, length) == 12 && offsetof(dbf_field_desc, decimals) == 13,
              "the field descriptor is the 14-byte record callers fill");

namespace
{

using namespace zv::test;

struct ansi_code_page : scoped_env {
    explicit ansi_code_page(const char* code_page) { set("ZV_ANSI_CODEPAGE", code_page); }
};

dbf_field_desc desc(const char* name, char type, uint8_t length, uint8_t decimals = 0)
{
    dbf_field_desc d{};
    std::memcpy(d.name, name, std::min(std::strlen(name), sizeof d.name)); // no zero after 11 characters
    d.type = type;
    d.length = length;
    d.decimals = decimals;
    return d;
}

// NAME C20, VAL N10.2, DAY D8, OK L1; the first NAME is argv[3] in encoding argv[2].
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

// The fields, then every record as "a|b|c".
const char* const pyshp_dump = R"(
import sys, shapefile
r = shapefile.Reader(dbf=open(sys.argv[1], 'rb'), encoding=sys.argv[2])
print(','.join(f[0] + ':' + f[1] + str(f[2]) + '.' + str(f[3]) for f in r.fields[1:]))
for rec in r.records():
    print('|'.join('' if v is None else str(v) for v in rec))
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

class Dbf : public ::testing::Test
{
  protected:
    // Writes `path` with pyshp, and a .cpg beside it when one is given.
    void make(const std::string& encoding, const std::string& name, const char* cpg = nullptr)
    {
        const command_result r = run_python(pyshp_table, {path, encoding, name});
        ASSERT_TRUE(r.ok()) << r.output;
        if (cpg != nullptr)
            write_bytes(cpg_path(), cpg);
    }
    std::string cpg_path() const { return path.substr(0, path.size() - 4) + ".cpg"; }
    zv_dbf_t open(bool read_only = true) { return zv_dbf_open_w(u16(path).c_str(), read_only, 0); }
    zv_dbf_t create(uint32_t records)
    {
        return zv_dbf_create_w(backslashed(path).c_str(), static_cast<uint32_t>(fields.size()), records,
                               fields.data(), 0);
    }
    std::string dump(const std::string& encoding)
    {
        const command_result r = run_python(pyshp_dump, {path, encoding});
        return r.ok() ? r.output : "<pyshp failed> " + r.output;
    }

    scratch_folder dir;
    std::string path = dir.file("t.dbf");
    std::vector<dbf_field_desc> fields{desc("NAME", 'C', 12), desc("DEPTH", 'N', 8, 2),
                                       desc("LAT_B_W84", 'C', 20)};
};

TEST_F(Dbf, PyshpFieldsAndValuesReadAsWrittenCellsOutsideAndNullHandlesFail)
{
    const ansi_code_page ansi("1251");
    make("cp1251", "Юг");
    zv_dbf_t t = open();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(zv_dbf_get_nf(t), 4u);
    EXPECT_EQ(zv_dbf_get_nr(t), 2u);
    // Field names, narrow and wide, are read by the profile tool and the
    // attribute export, whose tests compare them with pyshp's.
    const char letters[] = {'C', 'N', 'D', 'L'};
    const uint8_t lengths[] = {20, 10, 8, 1};
    for (uint32_t f = 0; f < 4; ++f) {
        EXPECT_EQ(zv_dbftype2char(zv_dbf_get_field_type(t, f)), letters[f]);
        EXPECT_EQ(zv_dbf_get_field_flen(t, f), lengths[f]);
    }
    EXPECT_EQ(zv_dbf_get_field_dlen(t, 1), 2);
    EXPECT_EQ(narrow_cell(t, 1, 0), "12.50");
    EXPECT_EQ(narrow_cell(t, 0, 1), "  lead") << "leading blanks of text are data";
    bool ok = true;
    EXPECT_EQ(zv_dbf_get_str(t, 4, 0, &ok), nullptr);
    EXPECT_FALSE(ok);
    captured_text text;
    EXPECT_FALSE(zv_dbf_get_str_w(t, 0, 2, text.handle()));
    EXPECT_FALSE(zv_dbf_get_field_name_w(t, 4, text.handle()));
    EXPECT_EQ(text.calls, 0);
    EXPECT_EQ(zv_dbf_get_field_type(t, 4), static_cast<uint32_t>(ZV_DBF_TYPE_INVALID));
    EXPECT_FALSE(zv_dbf_set_str(t, 0, 0, "read-only"));
    EXPECT_EQ(wide_cell(t, 0, 0), u"Юг") << "no .cpg, no driver byte: the ANSI code page";
    zv_dbf_close(t);

    EXPECT_EQ(zv_dbf_get_nf(nullptr), 0u);
    EXPECT_EQ(zv_dbf_get_nr(nullptr), 0u);
    EXPECT_EQ(zv_dbf_get_str(nullptr, 0, 0, nullptr), nullptr);
    EXPECT_FALSE(zv_dbf_set_str_w(nullptr, 0, 0, u"x"));
    zv_dbf_close(nullptr);
}

// A table set in capitals, with its .cpg, opened for writing by the name the
// profile tool derives from LINE1.SHP, through a backslashed path: both are
// found as on Windows (which of several variants: the foundation's tests),
// and cells change in place in the code page of the .cpg.
TEST_F(Dbf, WritableOpenFindsTheTableAndItsCpgInAnyLetterCaseAndChangesCellsInPlace)
{
    const ansi_code_page ansi("65001");
    path = dir.file("LINE1.DBF");
    make("cp1251", "old");
    write_bytes(dir / "LINE1.CPG", "1251");
    zv_dbf_t t = zv_dbf_open_w(backslashed(dir.file("line1.dbf")).c_str(), false, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(wide_cell(t, 0, 0), u"old");
    EXPECT_TRUE(zv_dbf_set_str_w(t, 0, 0, u"новое"));
    EXPECT_TRUE(zv_dbf_set_str(t, 1, 1, "42.75"));
    EXPECT_EQ(wide_cell(t, 0, 0), u"новое");
    zv_dbf_close(t);
    EXPECT_EQ(dump("cp1251"),
              "NAME:C20.0,VAL:N10.2,DAY:D8.0,OK:L1.0\nновое|12.5|2024-03-09|True\nlead|42.75||False\n");
}

// One damage per check of the reader; more damaged tables are in the fuzz
// corpus, which feeds them through the same reader.
TEST_F(Dbf, DamagedOrMissingTablesDoNotOpen)
{
    make("utf-8", "value");
    const std::string good = read_bytes(path);
    const std::pair<std::string, const char*> damaged[] = {
        {good.substr(0, 10), "shorter than the fixed header"},
        {good.substr(0, 160), "cut inside the field descriptors"},
        {std::string(good).replace(4, 1, "\x03"), "more records than the file holds"},
        {std::string(good).replace(10, 2, std::string("\x05\0", 2)), "record length below the fields' total"},
    };
    for (const auto& [bytes, what] : damaged) {
        write_bytes(path, bytes);
        EXPECT_EQ(open(), nullptr) << what;
    }
    write_bytes(path, good);
    EXPECT_EQ(zv_dbf_open_w(u16(path).c_str(), true, 1), nullptr) << "unknown options";
    EXPECT_EQ(zv_dbf_open_w(u16(dir.file("absent.dbf")).c_str(), true, 0), nullptr);
    EXPECT_EQ(zv_dbf_open_w(nullptr, true, 0), nullptr);
}

TEST_F(Dbf, ValuesAreCutOrRefusedByFieldType)
{
    const ansi_code_page ansi("65001");
    fields = {desc("TXT", 'C', 4), desc("NUM", 'N', 4), desc("DAY", 'D', 8)};
    zv_dbf_t t = create(1);
    ASSERT_NE(t, nullptr);
    // What the cell reads after setting it, after "false, " when the setter
    // said so.
    const auto set = [t](uint32_t field, const char* text) {
        const bool ok = zv_dbf_set_str(t, field, 0, text);
        return (ok ? "" : "false, ") + std::string(zv_dbf_get_str(t, field, 0, nullptr));
    };
    EXPECT_EQ(set(0, "abcdefgh"), "false, abcd") << "cut";
    EXPECT_EQ(set(0, "ab      "), "ab") << "blanks beyond the field are its padding";
    EXPECT_EQ(set(1, "12345"), "false, ") << "refused";
    EXPECT_EQ(set(1, " 12 "), "12");
    EXPECT_EQ(set(2, "20250101"), "20250101");
    EXPECT_EQ(set(0, nullptr), "");
    EXPECT_FALSE(zv_dbf_set_str_w(t, 1, 0, std::u16string(300, u'7').c_str()));
    EXPECT_STREQ(zv_dbf_get_str(t, 1, 0, nullptr), "12") << "a refused number leaves the cell as it was";
    EXPECT_FALSE(zv_dbf_set_str(t, 3, 0, "x"));
    EXPECT_FALSE(zv_dbf_set_str(t, 0, 1, "x"));
    zv_dbf_close(t);
    EXPECT_NE(read_bytes(path).find("    "
                                    "  12"
                                    "20250101"),
              std::string::npos)
        << "numbers right-justified";
    EXPECT_EQ(dump("ascii"), "TXT:C4.0,NUM:N4.0,DAY:D8.0\n|12|2025-01-01\n");
}

// Cells of a 1251 and a UTF-8 table written narrow (in the ANSI code page)
// and wide: whatever the ANSI code page, both setters store the same and
// say false when a character has no bytes in the table's code page or the
// value had to be cut, which never happens inside a character. Wide text
// reads in the table's code page (named by the .cpg written with it; which
// .cpg text and driver byte name which page: dbf_codepage_test), narrow text
// in the ANSI code page with '?' where it has no character. (Tables made
// through a backslashed path, their .cpg and driver byte read by pyshp:
// profile_e2e.py.)
TEST_F(Dbf, NarrowAndWideSettersAgreeOnUnrepresentableAndCutValues)
{
    struct expected {
        std::u16string text;
        bool stored_whole_1251;
        std::u16string cell_1251;
        bool stored_whole_utf8;
        std::u16string cell_utf8;
    };
    const expected values[] = {
        {u"Жук", true, u"Жук", true, u"Жук"},
        {u"Жучок", true, u"Жучок", false, u"Жуч"},
        {u"abcdefg", false, u"abcdef", false, u"abcdef"},
        {u"ab    ", true, u"ab", true, u"ab"},
        {u"Жук €", true, u"Жук €", false, u"Жук"},
        {u"✓ ab", false, u"? ab", true, u"✓ ab"},
    };
    fields = {desc("TXT", 'C', 6)};
    for (const char* table_page : {"1251", "65001"}) {
        path = dir.file(std::string("t") + table_page + ".dbf");
        {
            const ansi_code_page ansi(table_page);
            zv_dbf_close(create(2));
        }
        const bool utf8 = table_page == std::string("65001");
        for (const char* ansi_page : {"1251", "65001"}) {
            const ansi_code_page ansi(ansi_page);
            zv_dbf_t t = open(false);
            ASSERT_NE(t, nullptr);
            for (const auto& v : values) {
                SCOPED_TRACE(std::string(table_page) + " table, ANSI " + ansi_page + ": " +
                             zv::foundation::to_utf8(v.text));
                const bool whole = utf8 ? v.stored_whole_utf8 : v.stored_whole_1251;
                EXPECT_EQ(zv_dbf_set_str_w(t, 0, 0, v.text.c_str()), whole);
                EXPECT_EQ(wide_cell(t, 0, 0), utf8 ? v.cell_utf8 : v.cell_1251);
                std::string shown;
                zv::foundation::from_utf16(wide_cell(t, 0, 0), std::stoul(ansi_page), shown);
                EXPECT_EQ(narrow_cell(t, 0, 0), shown);
                std::string narrow;
                bool exact = false;
                if (zv::foundation::from_utf16(v.text, std::stoul(ansi_page), narrow, exact) && exact) {
                    EXPECT_EQ(zv_dbf_set_str(t, 0, 1, narrow.c_str()), whole);
                    EXPECT_EQ(wide_cell(t, 0, 1), wide_cell(t, 0, 0));
                }
            }
            zv_dbf_close(t);
        }
    }
}

// Names longer than ten characters are cut to ten.
TEST_F(Dbf, TypeLettersRoundTripEmptyTableIsCompleteAndLongNamesAreCut)
{
    fields = {desc("ABCDEFGHIJK", 'C', 1), desc("B", 'N', 3),  desc("C", 'F', 5, 1), desc("D", 'D', 8),
              desc("E", 'L', 1),           desc("F", 'M', 10), desc("G", 'Q', 2)};
    zv_dbf_t t = create(0);
    ASSERT_NE(t, nullptr);
    zv_dbf_close(t);
    EXPECT_EQ(read_bytes(path).size(), 32 * 8 + 1 + 1u);
    t = open();
    ASSERT_NE(t, nullptr);
    for (uint32_t f = 0; f < fields.size(); ++f)
        EXPECT_EQ(zv_dbftype2char(zv_dbf_get_field_type(t, f)), fields[f].type);
    EXPECT_STREQ(zv_dbf_get_field_name(t, 0), "ABCDEFGHIJ");
    zv_dbf_close(t);
    EXPECT_EQ(zv_dbftype2char(0x7777), '\0');
}

TEST_F(Dbf, CreationReplacesATableBeingReadOnlyWhenCompleteAndLeavesTheReaderIntact)
{
    make("utf-8", "first");
    const std::string old = read_bytes(path);

    zv_dbf_t reader = open();
    ASSERT_NE(reader, nullptr);
    fields.push_back(desc("EXTRA", 'C', 30));
    zv_dbf_t writer = create(1);
    ASSERT_NE(writer, nullptr);
    EXPECT_TRUE(zv_dbf_set_str(writer, 0, 0, narrow_cell(reader, 0, 0).c_str()));
    EXPECT_TRUE(zv_dbf_set_str(writer, 3, 0, "appended"));
    EXPECT_EQ(read_bytes(path), old) << "replaced only when complete";
    zv_dbf_close(writer);
    EXPECT_EQ(zv_dbf_get_nf(reader), 4u);
    EXPECT_STREQ(zv_dbf_get_str(reader, 0, 0, nullptr), "first");
    zv_dbf_close(reader);
    EXPECT_EQ(dump("ascii"), "NAME:C12.0,DEPTH:N8.2,LAT_B_W84:C20.0,EXTRA:C30.0\nfirst|||appended\n");
}

// One case per way creation fails: arguments, descriptors, record length,
// a folder in the way, a folder missing.
TEST_F(Dbf, FailedCreationLeavesNothingBehind)
{
    std::filesystem::create_directory(dir / "folder.dbf");
    EXPECT_EQ(zv_dbf_create_w(nullptr, 1, 1, fields.data(), 0), nullptr);
    EXPECT_EQ(zv_dbf_create_w(u16(path).c_str(), 0, 1, fields.data(), 0), nullptr);
    for (const char* where : {"folder.dbf", "missing/t.dbf"})
        EXPECT_EQ(zv_dbf_create_w(u16(dir.file(where)).c_str(), 1, 1, fields.data(), 0), nullptr) << where;
    fields = {desc("A", 'C', 0)};
    EXPECT_EQ(create(1), nullptr) << "zero length";
    fields.assign(300, desc("WIDE", 'C', 255));
    EXPECT_EQ(create(1), nullptr) << "record over 65535 bytes";
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"folder.dbf"});
}

#if !defined(_WIN32) // a cap on file sizes is POSIX's
// The final write of a created table fails as on a full disk: neither the
// table it was to replace nor a .cpg of that table (here in capitals) stays
// to be read in its place, and no temporary file stays either.
TEST_F(Dbf, AFailedFinalWriteLeavesNoTableAtThePath)
{
    const ansi_code_page ansi("1251");
    make("cp1251", "old", "1251");
    std::filesystem::rename(cpg_path(), dir / "T.CPG");
    fields = {desc("TXT", 'C', 100)};
    zv_dbf_t t = create(40);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(zv_dbf_set_str_w(t, 0, 39, u"новое"));
    {
        const file_size_limit full_disk(1024);
        zv_dbf_close(t);
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{});
    EXPECT_EQ(open(), nullptr);
}
#endif

TEST_F(Dbf, AnsiCodePageTheSystemCannotConvertRefusesWideText)
{
    const ansi_code_page ansi("4");
    zv_dbf_t t = create(1);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(zv_dbf_set_str(t, 0, 0, "plain")) << "narrow text passes unconverted";
    EXPECT_FALSE(zv_dbf_set_str_w(t, 0, 0, u"abЖ"));
    EXPECT_STREQ(zv_dbf_get_str(t, 0, 0, nullptr), "plain") << "a refused value leaves the cell as it was";
    captured_text wide;
    EXPECT_FALSE(zv_dbf_get_str_w(t, 0, 0, wide.handle()));
    EXPECT_EQ(wide.calls, 0);
    zv_dbf_close(t);
}

// 113-byte records: about nine thousand fit in the part of a created table
// held in memory, so 30,000 records cross it several times. Filled record by
// record, or with the first field two thirds of the way, then the second
// field from the start (back to records written out, ahead of records not
// reached), then the rest of the first, the file is the same.
TEST_F(Dbf, FillingOutOfOrderGivesTheFileOfFillingRecordByRecord)
{
    const ansi_code_page ansi("1251");
    constexpr uint32_t n = 30000, split = 20000;
    fields = {desc("TXT", 'C', 100), desc("NUM", 'N', 12)};
    // Every seventh record's text stays unwritten.
    const auto set = [](zv_dbf_t t, uint32_t f, uint32_t r) {
        const std::string text = f == 1 ? std::to_string(r * 3) : "r" + std::to_string(r) + " Жук";
        return (f == 0 && r % 7 == 3) || zv_dbf_set_str_w(t, f, r, u16(text).c_str());
    };
    bool ok = true;
    zv_dbf_t t = create(n);
    ASSERT_NE(t, nullptr);
    for (uint32_t r = 0; r < n; ++r)
        ok = set(t, 0, r) && set(t, 1, r) && ok;
    zv_dbf_close(t);
    const std::string expected = read_bytes(path);
    ASSERT_EQ(expected.size(), 32 * 3 + 1 + std::size_t{n} * 113 + 1);
    EXPECT_EQ(expected.find('\0', 32 * 3 + 1), std::string::npos) << "every unwritten byte is a blank";
    EXPECT_EQ(expected.substr(32 * 3 + 1 + 3 * 113, 101), std::string(101, ' '));

    path = dir.file("out_of_order.dbf");
    t = create(n);
    ASSERT_NE(t, nullptr);
    for (uint32_t r = 0; r < split; ++r)
        ok = set(t, 0, r) && ok;
    EXPECT_EQ(wide_cell(t, 0, 1), u"r1 Жук") << "already written out";
    EXPECT_EQ(wide_cell(t, 0, split - 1), u"r19999 Жук") << "still held";
    EXPECT_EQ(wide_cell(t, 0, n - 1), u"") << "not reached yet";
    for (uint32_t r = 0; r < n; ++r)
        ok = set(t, 1, r) && ok;
    EXPECT_EQ(wide_cell(t, 0, split - 1), u"r19999 Жук") << "kept when going back";
    for (uint32_t r = split; r < n; ++r)
        ok = set(t, 0, r) && ok;
    zv_dbf_close(t);
    EXPECT_TRUE(ok);
    const std::string bytes = read_bytes(path);
    ASSERT_EQ(bytes.size(), expected.size());
    EXPECT_TRUE(bytes == expected) << "first difference at byte "
                                   << std::mismatch(bytes.begin(), bytes.end(), expected.begin()).first -
                                          bytes.begin();
}

} // namespace
