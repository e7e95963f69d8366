// System facts: names, the temporary folder and unique temporary files.
#include "platform/system_info.h"

#include "platform/file_system.h"
#include "scoped_env.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <random>
#include <string>

namespace {

using namespace zv::platform;

TEST(PlatformSystemInfo, UserAndComputerHaveNames)
{
    EXPECT_FALSE(user_name().empty());
    EXPECT_FALSE(computer_name().empty());
}

TEST(PlatformSystemInfo, TemporaryFolderFollowsTheEnvironmentAndEndsWithSeparator)
{
    const std::filesystem::path own =
        std::filesystem::temp_directory_path() / ("zv_platform_tmp_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(own);
    {
        zv::test::scoped_env env;
        env.set("TMPDIR", own.string());
        EXPECT_EQ(temp_directory(), own.u16string() + u"/");
        env.set("TMPDIR", std::nullopt).set("TMP", std::nullopt).set("TEMP", std::nullopt);
        EXPECT_EQ(temp_directory(), u"/tmp/");
    }
    std::filesystem::remove_all(own);
}

TEST(PlatformSystemInfo, UniqueTemporaryFilesAreCreatedAndDistinct)
{
    const std::filesystem::path own =
        std::filesystem::temp_directory_path() / ("zv_platform_unique_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(own);
    const std::u16string first = unique_temp_file(own.u16string(), u"zvx");
    const std::u16string second = unique_temp_file(own.u16string() + u"\\", u"zvx");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(path_exists(first));
    EXPECT_TRUE(path_exists(second));
    EXPECT_EQ(std::filesystem::path(first).filename().u16string().rfind(u"zvx", 0), 0u);
    EXPECT_TRUE(unique_temp_file((own / "missing").u16string(), u"zv").empty());
    EXPECT_TRUE(unique_temp_file(u"", u"zv").empty());
    std::filesystem::remove_all(own);
}

} // namespace
