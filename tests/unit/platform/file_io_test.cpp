#include "platform/file_io.h"

#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <array>
#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace
{

namespace pf = zv::platform;

TEST(FileIo, BackslashedCyrillicPathsRoundTrip)
{
    zv::test::scratch_folder dir("zv_file_io");
    std::filesystem::create_directories(dir.path() / u"папка");
    const std::u16string path = zv::test::backslashed(zv::test::utf8(dir.path() / u"папка" / u"файл.bin"));
    const pf::file_handle out = pf::create_file_write(path);
    ASSERT_NE(out, pf::invalid_file);
    EXPECT_TRUE(pf::file_can_seek(out));
    EXPECT_EQ(pf::write_file(out, "0123456789", 10), 10);
    EXPECT_EQ(pf::tell_file(out), 10);
    ASSERT_TRUE(pf::seek_file(out, 2));
    EXPECT_EQ(pf::write_file(out, "ab", 2), 2);
    pf::close_file(out);

    const pf::file_handle in = pf::open_file_read(path);
    ASSERT_NE(in, pf::invalid_file);
    char buffer[16] = {};
    EXPECT_EQ(pf::read_file(in, buffer, sizeof buffer), 10);
    EXPECT_EQ(std::string(buffer, 10), "01ab456789");
    EXPECT_EQ(pf::read_file(in, buffer, sizeof buffer), 0) << "end of file";
    pf::file_info info;
    ASSERT_TRUE(pf::file_information(in, info));
    EXPECT_EQ(info.size_bytes, 10u);
    EXPECT_EQ(info.attributes & pf::file_attribute_archive, pf::file_attribute_archive);
    EXPECT_EQ(info.attributes & pf::file_attribute_read_only, 0u);
    pf::close_file(in);
    EXPECT_TRUE(pf::remove_file(path));
    EXPECT_EQ(pf::open_file_read(path), pf::invalid_file);
    EXPECT_FALSE(pf::remove_file(path));
}

TEST(FileIo, FoldersAndMissingFilesDoNotOpenAndPipesCannotSeek)
{
    zv::test::scratch_folder dir("zv_file_io");
    EXPECT_EQ(pf::open_file_read(zv::test::u16(zv::test::utf8(dir.path()))), pf::invalid_file);
    EXPECT_EQ(pf::open_file_read(zv::test::u16(dir.file("missing"))), pf::invalid_file);
    EXPECT_EQ(pf::create_file_write(zv::test::u16(dir.file("no/file"))), pf::invalid_file);
    EXPECT_EQ(pf::read_file(pf::invalid_file, nullptr, 0), -1);
    EXPECT_FALSE(pf::seek_file(pf::invalid_file, 0));
    int fds[2];
#if defined(_WIN32)
    ASSERT_EQ(::_pipe(fds, 256, _O_BINARY), 0);
    const pf::file_handle pipe_end = ::_get_osfhandle(fds[1]);
#else
    ASSERT_EQ(::pipe(fds), 0);
    const pf::file_handle pipe_end = fds[1];
#endif
    EXPECT_FALSE(pf::file_can_seek(pipe_end));
    EXPECT_EQ(pf::tell_file(pipe_end), -1);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(FileIo, CalendarConversionsAreExact)
{
    const pf::calendar_time t = pf::utc_calendar_time(1614834367); // 2021-03-04 05:06:07 UTC
    EXPECT_EQ((std::array{t.year, t.month, t.day, t.hour, t.minute, t.second}),
              (std::array{2021, 3, 4, 5, 6, 7}));
    EXPECT_EQ(pf::unix_seconds_of(t), 1614834367);
    EXPECT_EQ(pf::unix_seconds_of(pf::calendar_time{2000, 2, 29, 23, 59, 59}), 951868799);
}

} // namespace
