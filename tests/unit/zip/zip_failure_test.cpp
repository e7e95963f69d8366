// Failures injected below the archive writer through the file layer's seam:
// an output that cannot be created, and one that takes only part of a write.
// Neither may leave a handle open or a half-written archive behind.
#include "archive_helper.h"

#include "kit/file_faults.h"
#include "zip/zip_archive_writer.h"

#include <gtest/gtest.h>

namespace zv::zip::test
{
namespace
{

using W = ZipArchiveWriter;

class InjectedFailure : public ::testing::Test
{
  protected:
    void SetUp() override { write_bytes(dir / "part.xml", std::string(100000, 'q') + "<end/>"); }

    scratch_folder dir{"zv_zip"};
    zv::test::file_faults faults;
};

TEST_F(InjectedFailure, OutputThatCannotBeCreatedGivesNoHandle)
{
    faults.fail_every_create = true;
    const std::u16string path = u16(dir / "out.xlsx");
    EXPECT_EQ(W::Create(path.c_str(), 0, zip_mode_file, nullptr), nullptr);
    EXPECT_EQ(W::LastResult(), 0x200u);
    char text[64];
    EXPECT_EQ(W::ResultMessage(1, text, sizeof text), 25u);
    EXPECT_STREQ(text, "Couldn't create/open file");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
    EXPECT_EQ(faults.open_handles, 0);
}

TEST_F(InjectedFailure, ShortWriteInDataLeavesNoFileAndNoHandle)
{
    const std::u16string path = u16(dir / "out.xlsx");
    const std::u16string source = u16(dir / "part.xml");
    ZipArchiveHandle* h = W::Create(path.c_str(), 0, zip_mode_file, nullptr);
    ASSERT_NE(h, nullptr);
    faults.write_budget = 60; // the local header fits, the data does not
    EXPECT_EQ(W::AddEntry(h, u"a.bin.gz", source.c_str(), 0, zip_source_file), 0x400u);
    EXPECT_EQ(W::AddEntry(h, u"b.xml", source.c_str(), 0, zip_source_file), 0x40000u);
    EXPECT_EQ(faults.open_handles, 1) << "only the archive is still open";
    EXPECT_EQ(W::Close(h), 0x400u);
    EXPECT_EQ(faults.open_handles, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
}

TEST_F(InjectedFailure, ShortWriteOfAHeaderOrTheDirectoryIsAWriteError)
{
    const std::u16string path = u16(dir / "out.xlsx");
    const std::u16string source = u16(dir / "part.xml");
    for (std::int64_t budget : {0, 10, 47}) {
        ZipArchiveHandle* h = W::Create(path.c_str(), 0, zip_mode_file, nullptr);
        ASSERT_NE(h, nullptr);
        faults.write_budget = budget;
        EXPECT_EQ(W::AddEntry(h, u"a.xml", source.c_str(), 0, zip_source_file), 0x400u) << budget;
        EXPECT_EQ(W::Close(h), 0x400u);
        EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
        faults.write_budget = -1;
    }
    // The entry is written, the central directory is not.
    ZipArchiveHandle* h = W::Create(path.c_str(), 0, zip_mode_file, nullptr);
    ASSERT_EQ(W::AddEntry(h, u"a.xml", source.c_str(), 0, zip_source_file), 0u);
    faults.write_budget = 20;
    EXPECT_EQ(W::Close(h), 0x400u);
    EXPECT_EQ(faults.open_handles, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
}

} // namespace
} // namespace zv::zip::test
