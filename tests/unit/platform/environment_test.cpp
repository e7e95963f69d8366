#include "platform/environment.h"

#include <gtest/gtest.h>

#include "kit/scoped_env.h"

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

TEST_F(PlatformEnvironment, ReadsRealVariablesAsUtf16)
{
    env_.set("ZV_ENV_TEST_VALUE", "\xD0\x9F\xD1\x80 x");
    EXPECT_EQ(zp::get_environment_variable(u"ZV_ENV_TEST_VALUE"), std::u16string(u"Пр x"));
    env_.set("ZV_ENV_TEST_VALUE", std::nullopt);
    EXPECT_FALSE(zp::get_environment_variable(u"ZV_ENV_TEST_VALUE").has_value());
}

TEST_F(PlatformEnvironment, MalformedBytesBecomeReplacementCharacters)
{
    env_.set("ZV_ENV_TEST_VALUE", "a\xFF\xD0");
    EXPECT_EQ(zp::get_environment_variable(u"ZV_ENV_TEST_VALUE"), std::u16string(u"a\xFFFD\xFFFD"));
}

TEST_F(PlatformEnvironment, NamesThatCannotExistAreUnset)
{
    EXPECT_FALSE(zp::get_environment_variable(u"").has_value());
    EXPECT_FALSE(zp::get_environment_variable(u"A=B").has_value());
    EXPECT_FALSE(zp::get_environment_variable(u"ПУТЬ").has_value());
}

TEST_F(PlatformEnvironment, OverridesHideOrReplaceTheRealValue)
{
    env_.set("ZV_ENV_TEST_VALUE", "real");
    zp::override_environment_variable(u"ZV_ENV_TEST_VALUE", std::nullopt);
    EXPECT_FALSE(zp::get_environment_variable(u"ZV_ENV_TEST_VALUE").has_value());
    zp::override_environment_variable(u"ZV_ENV_TEST_VALUE", u"injected");
    EXPECT_EQ(zp::get_environment_variable(u"ZV_ENV_TEST_VALUE"), std::u16string(u"injected"));
    zp::clear_environment_overrides();
    EXPECT_EQ(zp::get_environment_variable(u"ZV_ENV_TEST_VALUE"), std::u16string(u"real"));
}

TEST_F(PlatformEnvironment, ThreadIdsDifferBetweenLiveThreads)
{
    const auto mine = zp::current_thread_id();
    EXPECT_EQ(mine, zp::current_thread_id());
    std::uint64_t other = mine;
    std::thread worker([&] { other = zp::current_thread_id(); });
    worker.join();
    EXPECT_NE(other, mine);
    zp::override_thread_id(77);
    EXPECT_EQ(zp::current_thread_id(), 77u);
}

TEST_F(PlatformEnvironment, ClockAndTimeAreRealOrInjected)
{
    EXPECT_GE(zp::processor_clock(), 0);
    const auto real = zp::current_utc_time();
    EXPECT_GE(real.year, 2024);
    EXPECT_GE(real.month, 1);
    EXPECT_LE(real.month, 12);
    zp::override_processor_clock(1234);
    EXPECT_EQ(zp::processor_clock(), 1234);
    zp::override_utc_time(zp::civil_time{2021, 2, 3, 4, 5, 6});
    const auto now = zp::current_utc_time();
    EXPECT_EQ(now.year, 2021);
    EXPECT_EQ(now.second, 6);
}

TEST_F(PlatformEnvironment, LocalTimeWithInjectedOffset)
{
    zp::override_local_offset(-3600);
    const auto t = zp::to_local_time(0);
    EXPECT_EQ(t.year, 1969);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.day, 31);
    EXPECT_EQ(t.hour, 23);
    zp::override_local_offset(0);
    const auto leap = zp::to_local_time(951782400); // 2000-02-29 00:00 UTC
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
}

} // namespace
