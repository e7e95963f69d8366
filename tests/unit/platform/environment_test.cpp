// The environment, and the thread, clock and time of the system.
#include "platform/environment.h"

#include <gtest/gtest.h>

#include "kit/scoped_env.h"

#include <string>
#include <thread>

namespace
{

namespace zp = zv::platform;

class PlatformEnvironment : public ::testing::Test
{
  protected:
    void TearDown() override { zp::clear_environment_overrides(); }
    zv::test::scoped_env env_;
};

TEST_F(PlatformEnvironment, VariablesAreReadAsUtf16OrOverridden)
{
    const auto get = [] { return zp::get_environment_variable(u"ZV_ENV_TEST_VALUE"); };
    env_.set("ZV_ENV_TEST_VALUE", "\xD0\x9F\xD1\x80 x");
    EXPECT_EQ(get(), std::u16string(u"Пр x"));
#if !defined(_WIN32)                            // Windows keeps the environment in UTF-16
    env_.set("ZV_ENV_TEST_VALUE", "a\xFF\xD0"); // malformed bytes
    EXPECT_EQ(get(), std::u16string(u"a\xFFFD\xFFFD"));
#endif
    zp::override_environment_variable(u"ZV_ENV_TEST_VALUE", std::nullopt);
    EXPECT_FALSE(get().has_value());
    zp::override_environment_variable(u"ZV_ENV_TEST_VALUE", u"injected");
    EXPECT_EQ(get(), std::u16string(u"injected"));
    zp::clear_environment_overrides();
    env_.set("ZV_ENV_TEST_VALUE", std::nullopt);
    EXPECT_FALSE(get().has_value());
    for (const char16_t* impossible : {u"", u"A=B", u"ZV_ENV_TEST_ПУТЬ"})
        EXPECT_FALSE(zp::get_environment_variable(impossible).has_value());
}

TEST_F(PlatformEnvironment, ThreadIdsClockAndTimeAreReal)
{
    const auto mine = zp::current_thread_id();
    EXPECT_EQ(mine, zp::current_thread_id());
    std::uint64_t other = mine;
    std::thread([&] { other = zp::current_thread_id(); }).join();
    EXPECT_NE(other, mine);
    EXPECT_GE(zp::processor_clock(), 0);
    const auto real = zp::current_utc_time();
    EXPECT_GE(real.year, 2024);
    EXPECT_TRUE(real.month >= 1 && real.month <= 12);
    // The injected thread, clock and time are the xlsx writer tests', local
    // time under an injected offset the cell tests'.
}

} // namespace
