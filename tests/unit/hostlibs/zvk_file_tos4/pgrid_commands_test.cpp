// The pgrid command: CSV round trips are exact, refused input leaves no file.
#include "kit/scratch_folder.h"
#include "pgrid_commands.h"

#include <gtest/gtest.h>

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
    EXPECT_NE(run({"info", path("d.pgrid")}).out.find("0\ta\ti16\t-32768\t\n1\tb\tf64\tnan\t\n"),
              std::string::npos)
        << "the default type goes to columns without their own";
}

TEST_F(PgridCommands, RefusedValuesLeaveNoFileBehindAndKeepAnOldOne)
{
    const std::vector<std::string> bad = {
        "zone\r\n40000\r\n",   // beyond i16
        "zone\r\n2.5\r\n",     // not an integer
        "zone\r\n-32768\r\n",  // the no-data value itself
        "poro\r\n1e39\r\n",    // beyond f32
        "poro\r\nnan\r\n",     // no-data is written as an empty field
        "poro,poro\r\n1,2\r\n" // the same name twice
    };
    for (const auto& csv : bad) {
        const auto r = from_csv(csv, "bad.pgrid", {"--type", "zone=i16"});
        EXPECT_EQ(r.code, 1) << csv;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"in.csv"});

    ASSERT_EQ(from_csv(kCsv, "a.pgrid").code, 0);
    const auto before = read_bytes(folder / "a.pgrid");
    EXPECT_EQ(from_csv("zone\r\n40000\r\n", "a.pgrid", {"--type", "zone=i16"}).code, 1);
    EXPECT_EQ(read_bytes(folder / "a.pgrid"), before);
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
    EXPECT_EQ(run({"info", path("missing.pgrid")}).code, 1);
    EXPECT_EQ(run({"to-csv", path("missing.pgrid")}).code, 1);
}

} // namespace
