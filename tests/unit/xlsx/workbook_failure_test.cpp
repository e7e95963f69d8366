// Failures injected under the workbook through the platform's file layer:
// a part that cannot be created and a write that falls short. Each must give
// a false Save and leave no temporary file behind.
#include "xlsx/workbook.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/environment.h"
#include "platform/file_io.h"
#include "test_support.h"

using namespace zv::xlsx;
using xlsx_test::Widen;

namespace
{

namespace fs = std::filesystem;
namespace zp = zv::platform;

// What the injected layer does differently from the system's.
struct Injection {
    std::u16string failing_suffix; // create_write of a path ending so fails
    std::u16string short_suffix;   // writes to a file created with a path ending so fall short
    zp::file_handle short_file = zp::invalid_file;
    int created_parts = 0;
};
Injection g_injection;

std::string Narrow(const std::u16string& ascii)
{
    return std::string(ascii.begin(), ascii.end());
}

bool EndsWith(const std::u16string& text, const std::u16string& suffix)
{
    return !suffix.empty() && text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

zp::file_handle InjectedCreate(const std::u16string& path)
{
    if (EndsWith(path, g_injection.failing_suffix))
        return zp::invalid_file;
    const zp::file_handle file = zp::system_file_io_ops().create_write(path);
    if (EndsWith(path, g_injection.short_suffix))
        g_injection.short_file = file;
    if (EndsWith(path, u".xml") || EndsWith(path, u".rels"))
        ++g_injection.created_parts;
    return file;
}

std::int64_t InjectedWrite(zp::file_handle file, const void* data, std::size_t size)
{
    if (file == g_injection.short_file && size > 1)
        size /= 2;
    return zp::system_file_io_ops().write(file, data, size);
}

class WorkbookFailures : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        g_injection = Injection{};
        ops_ = zp::system_file_io_ops();
        ops_.create_write = InjectedCreate;
        ops_.write = InjectedWrite;
        zp::set_file_io_ops_for_testing(&ops_);
        temp_ = folder_.path() / "temp";
        fs::create_directories(temp_);
        zp::override_environment_variable(u"TEMP", Widen(temp_.string()));
    }
    void TearDown() override
    {
        zp::set_file_io_ops_for_testing(nullptr);
        zp::clear_environment_overrides();
    }

    bool SaveSmallBook()
    {
        CWorkbook book;
        CWorksheet& sheet = book.AddSheet(u"Attributes");
        for (int i = 0; i < 2000; ++i)
            sheet.AddRow({{u"value " + Widen(std::to_string(i)), 0}});
        return book.Save(Widen((folder_.path() / "out.xlsx").string()));
    }

    zp::file_io_ops ops_{};
    xlsx_test::ScratchFolder folder_;
    fs::path temp_;
};

TEST_F(WorkbookFailures, InjectionIsTransparentWhenNothingFails)
{
    EXPECT_TRUE(SaveSmallBook());
    EXPECT_EQ(g_injection.created_parts, 10);
    EXPECT_TRUE(fs::is_empty(temp_));
}

TEST_F(WorkbookFailures, FailedCreateOrShortWriteGivesFalseAndLeavesNothing)
{
    const struct {
        std::u16string failing_suffix, short_suffix;
    } cases[] = {
        {u"xl/styles.xml", u""},     // a part that cannot be created
        {u"sheet1.xml", u""},        // a worksheet that cannot be created
        {u"", u"sheet1.xml"},        // a short write of the worksheet
        {u"", u"sharedStrings.xml"}, // a short write of the shared strings
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.failing_suffix + u"|" + c.short_suffix));
        g_injection = Injection{};
        g_injection.failing_suffix = c.failing_suffix;
        g_injection.short_suffix = c.short_suffix;
        EXPECT_FALSE(SaveSmallBook());
        EXPECT_TRUE(fs::is_empty(temp_));
    }
}

} // namespace
