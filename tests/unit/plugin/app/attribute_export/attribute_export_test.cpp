// The attribute table export: a 1251 table written by pyshp comes out as the
// worksheet "Attributes" that openpyxl reads, markup characters as they
// were, an "=" value as a formula; refused inputs write nothing, and no
// temporary file is left behind.
#include "plugin/app/attribute_export/attribute_export.h"

#include "kit/command.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "platform/environment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using namespace zv::test;

// Writes <folder>/<name>.dbf in 1251 with its .cpg: three fields and the
// records given as Python literals.
const char* const kMakeTable = R"(
import sys
import shapefile
folder, name, records = sys.argv[1], sys.argv[2], eval(sys.argv[3])
with shapefile.Writer(dbf=open(folder + "/" + name + ".dbf", "wb"), encoding="cp1251") as w:
    w.field("NAME", "C", 20)
    w.field("NOTE", "C", 20)
    w.field("NUM", "N", 8, 2)
    for record in records:
        w.record(*record)
open(folder + "/" + name + ".cpg", "w").write("1251")
)";

class AttributeExport : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        env_.set("ZV_ANSI_CODEPAGE", "1251");
        fs::create_directories(temp_);
        zv::platform::override_environment_variable(u"TEMP", u16(temp_.string()));
    }
    void TearDown() override { zv::platform::clear_environment_overrides(); }

    fs::path make_table(const std::string& name, const std::string& records) const
    {
        EXPECT_TRUE(run_python(kMakeTable, {folder_.path().string(), name, records}).ok());
        return folder_ / (name + ".dbf");
    }

    scoped_env env_;
    scratch_folder folder_{"zv_export"};
    const fs::path temp_ = folder_.path() / "temp";
};

TEST_F(AttributeExport, RowsHoldTheNamesThenEveryRecordAsItsStoredText)
{
    const fs::path table = make_table("t", R"([("Профиль <1>", "A & B", 12.5), ("", "=C2*2", 3.25)])");
    const fs::path workbook = folder_ / "t._src.xlsx";
    ASSERT_TRUE(zv::export_attributes_to_workbook(u16(table.string()), u16(workbook.string())));

    std::vector<std::string> report = lines_of(read_workbook(workbook));
    std::erase_if(report, [](const std::string& line) { return line.starts_with("string"); });
    ASSERT_EQ(report.size(), 7u);
    EXPECT_NE(report[0].find("xl/calcChain.xml"), std::string::npos) << report[0];
    EXPECT_EQ(std::vector<std::string>(report.begin() + 2, report.end()),
              (std::vector<std::string>{
                  "sheets=[\"Attributes\"]", "max_row=3", "row1=[\"NAME\", \"NOTE\", \"NUM\"]",
                  "row2=[\"Профиль <1>\", \"A & B\", \"12.50\"]", "row3=[null, \"=C2*2\", \"3.25\"]"}));
    EXPECT_NE(read_workbook(workbook, "xl/worksheets/sheet1.xml").find("<f>C2*2</f>"), std::string::npos)
        << "a value beginning with = is a formula";
    EXPECT_TRUE(run_command("unzip -tq " + quoted(workbook.string()) + " >/dev/null").ok());
    EXPECT_TRUE(fs::is_empty(temp_));
}

TEST_F(AttributeExport, RefusedInputsWriteNothing)
{
    const fs::path table = make_table("t", R"([("a", "b", 1)])");
    const struct {
        const char* what;
        fs::path table, workbook;
    } cases[] = {
        {"missing table", folder_ / "none.dbf", folder_ / "a.xlsx"},
        {"no records", make_table("empty", "[]"), folder_ / "b.xlsx"},
        {"workbook folder missing", table, folder_ / "missing" / "c.xlsx"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(zv::export_attributes_to_workbook(u16(c.table.string()), u16(c.workbook.string())))
            << c.what;
        EXPECT_FALSE(fs::exists(c.workbook)) << c.what;
    }
    EXPECT_TRUE(fs::is_empty(temp_));
}

} // namespace
