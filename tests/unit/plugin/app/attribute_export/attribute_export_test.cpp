// The attribute table export refuses inputs it cannot export and then
// writes nothing, leaving no temporary file behind. (Every cell of the
// workbooks it makes of the profile tool's tables, markup and a formula
// among them, is read with openpyxl in profile_e2e.py.)
#include "plugin/app/attribute_export/attribute_export.h"

#include "kit/command.h"
#include "kit/scratch_folder.h"
#include "platform/environment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
        fs::create_directories(temp_);
        zv::platform::override_environment_variable(u"TEMP", u16(temp_.string()));
    }
    void TearDown() override { zv::platform::clear_environment_overrides(); }

    fs::path make_table(const std::string& name, const std::string& records) const
    {
        EXPECT_TRUE(run_python(kMakeTable, {folder_.path().string(), name, records}).ok());
        return folder_ / (name + ".dbf");
    }

    scratch_folder folder_{"zv_export"};
    const fs::path temp_ = folder_.path() / "temp";
};

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
