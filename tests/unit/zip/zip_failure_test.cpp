// Failures injected below the archive writer through the file layer's seam:
// an output that cannot be created, and one that takes only part of a write.
// Neither may leave a handle open or a half-written archive behind.
#include "archive_helper.h"

#include "platform/file_io.h"
#include "zip/zip_archive_writer.h"

#include <gtest/gtest.h>

namespace zv::zip::test
{
namespace
{

using W = ZipArchiveWriter;
namespace pf = zv::platform;

// Counts open handles; the write fails once `budget` bytes have been taken.
struct fault_state {
    int open_handles = 0;
    bool fail_create = false;
    std::int64_t write_budget = -1; // -1: unlimited
};
fault_state faults;

pf::file_handle counting_open(const std::u16string& path)
{
    const pf::file_handle f = pf::system_file_io_ops().open_read(path);
    faults.open_handles += f != pf::invalid_file ? 1 : 0;
    return f;
}

pf::file_handle counting_create(const std::u16string& path)
{
    if (faults.fail_create) {
        return pf::invalid_file;
    }
    const pf::file_handle f = pf::system_file_io_ops().create_write(path);
    faults.open_handles += f != pf::invalid_file ? 1 : 0;
    return f;
}

std::int64_t short_write(pf::file_handle file, const void* data, std::size_t size)
{
    if (faults.write_budget < 0) {
        return pf::system_file_io_ops().write(file, data, size);
    }
    const std::size_t allowed = std::min<std::size_t>(size, static_cast<std::size_t>(faults.write_budget));
    faults.write_budget -= static_cast<std::int64_t>(allowed);
    return pf::system_file_io_ops().write(file, data, allowed);
}

void counting_close(pf::file_handle file)
{
    --faults.open_handles;
    pf::system_file_io_ops().close(file);
}

class InjectedFailure : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        faults = fault_state{};
        ops = pf::system_file_io_ops();
        ops.open_read = counting_open;
        ops.create_write = counting_create;
        ops.write = short_write;
        ops.close = counting_close;
        previous = pf::set_file_io_ops_for_testing(&ops);
        write_file(dir / "part.xml", std::string(100000, 'q') + "<end/>");
    }
    void TearDown() override { pf::set_file_io_ops_for_testing(previous); }

    pf::file_io_ops ops{};
    const pf::file_io_ops* previous = nullptr;
    temp_folder dir;
};

TEST_F(InjectedFailure, OutputThatCannotBeCreatedGivesNoHandle)
{
    faults.fail_create = true;
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
