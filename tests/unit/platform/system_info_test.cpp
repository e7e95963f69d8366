// The user's and computer's names, the temporary folder and unique files in it.
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "platform/file_system.h"
#include "platform/system_info.h"
#include <filesystem>

#include <gtest/gtest.h>

namespace
{

namespace zp = zv::platform;

TEST(PlatformSystemInfo, NamesAreKnownTemporaryFolderFollowsTheEnvironmentAndItsFilesAreUnique)
{
    EXPECT_FALSE(zp::user_name().empty());
    EXPECT_FALSE(zp::computer_name().empty());
    const zv::test::scratch_folder own("zv_platform_tmp_");
    zv::test::scoped_env env;
#if defined(_WIN32)
    env.set("TMP", zv::test::utf8(own.path()));
    EXPECT_EQ(zp::temp_directory(), own.path().u16string() + u"\\");
#else
    env.set("TMPDIR", own.path().string());
    EXPECT_EQ(zp::temp_directory(), own.path().u16string() + u"/");
    env.set("TMPDIR", std::nullopt).set("TMP", std::nullopt).set("TEMP", std::nullopt);
    EXPECT_EQ(zp::temp_directory(), u"/tmp/");
#endif

    const std::u16string first = zp::unique_temp_file(own.path().u16string(), u"zvx");
    const std::u16string second = zp::unique_temp_file(own.path().u16string() + u"\\", u"zvx");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(zp::path_exists(first));
    EXPECT_TRUE(zp::path_exists(second));
    EXPECT_EQ(std::filesystem::path(first).filename().u16string().rfind(u"zvx", 0), 0u);
    EXPECT_TRUE(zp::unique_temp_file((own / "missing").u16string(), u"zv").empty());
    EXPECT_TRUE(zp::unique_temp_file(u"", u"zv").empty());
}

} // namespace
