// The pgrid command: CSV round trips are exact, CSV as spreadsheet programs
// write it is read, and every refusal says what is wrong with which file and
// leaves no file behind.
#include "kit/scratch_folder.h"
#include "pgrid_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include <sstream>

namespace
{

using namespace zv::test;

struct run_result {
    int code;
    std::string out;
    std::string err;
};

run_result run(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int code = zv::zvk_file_tos4::run_command(args, out, err);
    return {code, out.str(), err.str()};
}

const std::string kCsv = "poro,depth,facies,zone,flag\r\n"
                         "0.125,1234.5678,7,-32767,0\r\n"
                         ",,,,\r\n"
                         "0.3,-0.001,-2147483647,32767,254\r\n"
                         "3.4028235e+38,1e-300,2147483647,0,1\r\n"
                         "-inf,0.1,-1,-1,255\r\n";

const std::vector<std::string> kTypes = {"--type",   "depth=f64", "--type",    "facies=i32",
                                         "--type",   "zone=i16",  "--type",    "flag=u8",
                                         "--nodata", "flag=200",  "--caption", "poro=Пористость, д.ед."};

class PgridCommands : public ::testing::Test
{
  protected:
    std::string path(const std::string& name) const { return folder.file(name); }
    run_result from_csv(const std::string& csv, const std::string& out,
                        std::vector<std::string> options = kTypes)
    {
        write_bytes(folder / "in.csv", csv);
        std::vector<std::string> args = {"from-csv", path("in.csv"), path(out)};
        args.insert(args.end(), options.begin(), options.end());
        return run(args);
    }
    scratch_folder folder;
};

TEST_F(PgridCommands, CsvToPgridToCsvToPgridIsExactAndInfoDescribesTheProperties)
{
    ASSERT_EQ(from_csv(kCsv, "a.pgrid").code, 0);
    const auto back = run({"to-csv", path("a.pgrid")});
    EXPECT_EQ(back.code, 0) << back.err;
    EXPECT_EQ(back.out, kCsv);
    const auto info = run({"info", path("a.pgrid")});
    ASSERT_EQ(info.code, 0);
    EXPECT_NE(info.out.find("objects: 5\nproperties: 5\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("0\tporo\tf32\tnan\tПористость, д.ед.\n"), std::string::npos) << info.out;
    ASSERT_EQ(from_csv(back.out, "b.pgrid").code, 0);
    EXPECT_EQ(read_bytes(folder / "b.pgrid"), read_bytes(folder / "a.pgrid")) << "and back to the same bytes";
    ASSERT_EQ(from_csv("a,b\r\n1,2\r\n", "d.pgrid", {"--default-type", "i16", "--type", "b=f64"}).code, 0);
    EXPECT_NE(run({"info", path("d.pgrid")}).out.find("0\ta\ti16\t-32768\ta\n1\tb\tf64\tnan\tb\n"),
              std::string::npos)
        << "the default type goes to columns without their own, the name to those without a caption";
}

// A byte order mark, blanks, a leading +, whole numbers in any form, blank
// lines at the end, semicolons with decimal commas, one-column files with
// no-data, and quotes in a name.
TEST_F(PgridCommands, CsvAsSpreadsheetProgramsWriteItIsRead)
{
    const struct {
        std::string csv;
        std::string separator; // given with --separator when not empty
        std::vector<std::string> types;
        std::string back;
    } cases[] = {
        {"\xEF\xBB\xBF"
         "a,b\r\n 100.0 , +1e2 \r\n\r\n \r\n",
         "",
         {"--default-type", "i16"},
         "a,b\r\n100,100\r\n"},
        {" \"a\" ,b\n\"-2\" ,+0.5\n", "", {}, "a,b\r\n-2,0.5\r\n"},
        {"a;b\r\n0,5;-1,25\r\n", "", {}, "a,b\r\n0.5,-1.25\r\n"},
        {"a,b;c\r\n1,5;3\r\n", ";", {}, "\"a,b\",c\r\n1.5,3\r\n"},
        {"x\r\n1\r\n\r\n2\r\n\"\"\r\n", "", {}, "x\r\n1\r\n\"\"\r\n2\r\n\"\"\r\n"},
        {"\"q\"\"x\",b\n1,2\n", "", {}, "\"q\"\"x\",b\r\n1,2\r\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> options = c.types;
        if (!c.separator.empty())
            options.insert(options.end(), {"--separator", c.separator});
        const auto made = from_csv(c.csv, "a.pgrid", options);
        ASSERT_EQ(made.code, 0) << c.csv << made.err;
        const auto back = run({"to-csv", path("a.pgrid")});
        EXPECT_EQ(back.out, c.back) << c.csv;
        ASSERT_EQ(from_csv(back.out, "b.pgrid", c.types).code, 0);
        EXPECT_EQ(read_bytes(folder / "b.pgrid"), read_bytes(folder / "a.pgrid")) << c.csv;
    }
}

// One row per refusal: the message names the file and says what is wrong.
TEST_F(PgridCommands, RefusedInputSaysWhyAndLeavesNoFileBehind)
{
    const struct {
        std::string csv;
        std::vector<std::string> options;
        std::string why;
    } cases[] = {
        {"zone\r\n40000\r\n",
         {"--type", "zone=i16"},
         "row 2, column 'zone': '40000' is out of range for an i16 value (-32768 to 32767)"},
        {"zone\r\n1\r\n2.5\r\n",
         {"--type", "zone=i16"},
         "row 3, column 'zone': '2.5' is not a whole number, which an i16 value must be"},
        {"zone\r\n-32768\r\n",
         {"--type", "zone=i16"},
         "row 2, column 'zone': '-32768' equals the column's no-data value; leave the field empty for "
         "no-data"},
        {"flag\r\n256\r\n",
         {"--type", "flag=u8"},
         "row 2, column 'flag': '256' is out of range for a u8 value (0 to 255)"},
        {"poro\r\n1e39\r\n", {}, "row 2, column 'poro': '1e39' is out of range for an f32 value"},
        {"poro\r\nnan\r\n",
         {},
         "row 2, column 'poro': 'nan' is not a number; leave the field empty for no-data"},
        {"poro\r\n1,5\r\n", {}, "line 2: 2 fields where the header has 1"},
        {"poro;x\r\n1.5x;1\r\n", {}, "row 2, column 'poro': '1.5x' is not a number"},
        {"poro,poro\r\n1,2\r\n", {}, "property name 'poro' appears twice"},
        {"a,,b\r\n1,2,3\r\n", {}, "column 2 of the header has no name"},
        {"\"a\tb\"\r\n1\r\n",
         {},
         "the name of column 1 holds a tab, a line break or another control character"},
        {"a,\"b\nc\"\r\n1,2\r\n",
         {},
         "the name of column 2 holds a tab, a line break or another control character"},
        {"a\r\n1\r\n",
         {"--caption", "a=x\ty"},
         "the caption of 'a' holds a tab, a line break or another control character"},
        {"a\r\n1\r\n", {"--type", "b=f64"}, "--type names 'b', which is not a column"},
        {"a\r\n\"open\r\n", {}, "line 2: quoted field without its closing quote"},
        {"a\r\n\"x\"y\r\n", {}, "line 2: text after a closing quote"},
        {"a\r\nx\"y\r\n", {}, "line 2: quote inside an unquoted field"},
        {"a\rb\r\n", {}, "line 1: carriage return without line feed"},
        {"a\r\n\xC3\x28\r\n", {}, "the text is not UTF-8"},
        {" \r\n\r\n", {}, "no header row"},
        {"", {}, "the file is empty"},
    };
    for (const auto& c : cases) {
        const auto r = from_csv(c.csv, "bad.pgrid", c.options);
        EXPECT_EQ(r.code, 1) << c.csv;
        EXPECT_EQ(r.err, "pgrid: " + path("in.csv") + ": " + c.why + "\n");
    }
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"in.csv"});

    ASSERT_EQ(from_csv(kCsv, "a.pgrid").code, 0);
    const auto before = read_bytes(folder / "a.pgrid");
    EXPECT_EQ(from_csv("zone\r\n40000\r\n", "a.pgrid", {"--type", "zone=i16"}).code, 1);
    EXPECT_EQ(read_bytes(folder / "a.pgrid"), before);
}

// Every way a .pgrid file or the CSV input can be unreadable, and outputs
// that cannot be written, each named in the message.
TEST_F(PgridCommands, UnreadableFilesAndUnwritableTargetsAreNamedWithTheReason)
{
    ASSERT_EQ(from_csv(kCsv, "a.pgrid").code, 0);
    const std::string whole = read_bytes(folder / "a.pgrid");
    const std::string size = std::to_string(whole.size());
    std::uint64_t data_offset = 0; // little-endian at byte 24, as on this machine
    std::memcpy(&data_offset, whole.data() + 24, sizeof data_offset);
    const auto patched = [&whole](std::size_t at, std::string bytes) {
        return std::string(whole).replace(at, bytes.size(), bytes);
    };
    const std::string table_bytes = std::to_string(data_offset - 32);
    std::filesystem::create_directory(folder / "folder.pgrid");
    write_bytes(folder / "small.csv", "x\r\n1\r\n");
    const std::pair<std::string, std::string> files[] = {
        {"", "the file is empty"},
        {whole.substr(0, 20), "truncated: 20 bytes, shorter than the 32-byte header"},
        {"PK" + whole.substr(2), "not a .pgrid file (it does not begin with the .pgrid signature)"},
        {patched(8, "\x02"), "format version 2 is not supported (this program reads version 1)"},
        {patched(31, "\x7F"), "the header's data offset " + std::to_string(data_offset | 0x7Full << 56) +
                                  " is outside 32 bytes to 16 MiB"},
        {patched(12, "\xFF\xFF\xFF"),
         "16777215 properties do not fit in a table of " + table_bytes + " bytes"},
        {whole.substr(0, 40),
         "truncated: the property table needs " + std::to_string(data_offset) + " bytes, the file has 40"},
        {whole.substr(0, whole.size() - 1), "truncated: the header describes " + size +
                                                " bytes, the file has " + std::to_string(whole.size() - 1)},
        {whole + "x", "sizes do not add up: the header describes " + size + " bytes, the file has " +
                          std::to_string(whole.size() + 1)},
    };
    for (const auto& [bytes, why] : files) {
        write_bytes(folder / "damaged.pgrid", bytes);
        for (const char* command : {"info", "to-csv"}) {
            const auto r = run({command, path("damaged.pgrid")});
            EXPECT_EQ(r.code, 1);
            EXPECT_EQ(r.err, "pgrid: " + path("damaged.pgrid") + ": " + why + "\n") << command;
        }
    }
    const std::pair<std::vector<std::string>, std::string> refusals[] = {
        {{"info", path("missing.pgrid")}, path("missing.pgrid") + ": no such file"},
        {{"to-csv", path("folder.pgrid")}, path("folder.pgrid") + ": is a folder, not a file"},
        {{"from-csv", path("missing.csv"), path("b.pgrid")}, path("missing.csv") + ": no such file"},
        {{"from-csv", path("folder.pgrid"), path("b.pgrid")},
         path("folder.pgrid") + ": is a folder, not a file"},
        {{"from-csv", path("a.pgrid"), path("folder.pgrid")},
         path("folder.pgrid") + ": is a folder, not a file"},
        {{"from-csv", path("a.pgrid"), path("a.pgrid")},
         path("a.pgrid") + ": is the input file itself; write the .pgrid file under another name"},
        {{"from-csv", path("a.pgrid"), folder.file("folder.pgrid/../a.pgrid")},
         folder.file("folder.pgrid/../a.pgrid") +
             ": is the input file itself; write the .pgrid file under another name"},
        {{"from-csv", path("small.csv"), path("no/b.pgrid")},
         path("no/b.pgrid") + ": cannot be created (is its folder there and writable?)"},
    };
    for (const auto& [args, message] : refusals) {
        const auto r = run(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, "pgrid: " + message + "\n");
    }
    EXPECT_EQ(read_bytes(folder / "a.pgrid"), whole) << "the input is never written over";
}

TEST_F(PgridCommands, UsageErrorsGiveTwoMissingThingsOne)
{
    EXPECT_EQ(run({"info"}).code, 2);
    const std::pair<std::vector<std::string>, int> options[] = {
        {{"--type"}, 2},          {{"--type", "zone=f16"}, 2},   {{"--default-type", "double"}, 2},
        {{"--colour", "x=y"}, 2}, {{"--type", "nosuch=f64"}, 1},
    };
    for (const auto& [args, code] : options)
        EXPECT_EQ(from_csv(kCsv, "a.pgrid", args).code, code) << args.back();
    for (const std::vector<std::string>& help : {std::vector<std::string>{"--help"}, {"from-csv", "-h"}}) {
        const auto r = run(help);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out.rfind("usage: pgrid info FILE\n", 0), 0u) << r.out;
    }
}

} // namespace
