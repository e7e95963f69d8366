// Failures injected under the workbook through the platform's file layer:
// a part that cannot be created and a write that falls short. Each must give
// a false Save and leave no temporary file behind.
#include "xlsx/workbook.h"

#include <gtest/gtest.h>

#include "kit/file_faults.h"
#include "kit/scratch_folder.h"
#include "platform/environment.h"

namespace
{

namespace fs = std::filesystem;
using zv::test::u16;

TEST(WorkbookFailures, FailedCreateOrShortWriteGivesFalseAndLeavesNothing)
{
    const struct {
        std::u16string failing_create, short_file;
        bool saved;
    } cases[] = {
        {u"", u"", true},                   // the fake alone changes nothing
        {u"xl/styles.xml", u"", false},     // a part that cannot be created
        {u"sheet1.xml", u"", false},        // a worksheet that cannot be created
        {u"", u"sheet1.xml", false},        // a short write of the worksheet
        {u"", u"sharedStrings.xml", false}, // a short write of the shared strings
    };
    zv::test::scratch_folder folder("zv_xlsx");
    fs::create_directories(folder / "temp");
    zv::platform::override_environment_variable(u"TEMP", u16(folder.file("temp")));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.failing_create.begin(), c.failing_create.end()) + "|" +
                     std::string(c.short_file.begin(), c.short_file.end()));
        zv::test::file_faults faults;
        faults.failing_create_suffix = c.failing_create;
        faults.short_file_suffix = c.short_file;
        {
            zv::xlsx::CWorkbook book;
            zv::xlsx::CWorksheet& sheet = book.AddSheet(u"Attributes");
            for (int i = 0; i < 2000; ++i)
                sheet.AddRow({{u"value " + u16(std::to_string(i)), 0}});
            EXPECT_EQ(book.Save(u16(folder.file("out.xlsx"))), c.saved);
        }
        if (c.saved) {
            EXPECT_EQ(faults.created_files, 11); // ten parts and the archive
        }
        EXPECT_EQ(faults.open_handles, 0);
        EXPECT_TRUE(fs::is_empty(folder / "temp"));
    }
    zv::platform::clear_environment_overrides();
}

} // namespace
