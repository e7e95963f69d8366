// The adapters as the host libraries drive them: the host's basic library
// delivers text through the handle, exactly as a host text getter does.
#include "support/string_adapter.h"

#include "host/zvk_basic.h"
#include "kit/scoped_env.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

namespace
{

using zv::Tzv_std_string_adapter;
using zv::Tzv_std_wstring_adapter;

// "Профиль" in code page 1251.
const char profile_1251[] = "\xCF\xF0\xEE\xF4\xE8\xEB\xFC";

class SupportStringAdapter : public ::testing::Test
{
  protected:
    SupportStringAdapter() { env.set("ZV_ANSI_CODEPAGE", "1251"); }
    zv::test::scoped_env env;
};

// Each adapter has its own handle; the target holds the last delivery, of
// either width, or keeps its value when nothing was delivered.
TEST_F(SupportStringAdapter, TargetsReceiveTextOfEitherWidthThroughTheirOwnHandle)
{
    std::u16string wide = u"initial";
    std::string narrow;
    {
        Tzv_std_wstring_adapter untouched(wide);
    }
    EXPECT_EQ(wide, u"initial");
    {
        Tzv_std_wstring_adapter to_wide(wide);
        Tzv_std_string_adapter to_narrow(narrow);
        ASSERT_NE(to_wide.handle(), nullptr);
        EXPECT_NE(to_wide.handle(), to_narrow.handle());
        zv_string_adp_assign_w(to_wide.handle(), u"a much longer first text");
        zv_string_adp_assign(to_wide.handle(), profile_1251);
        zv_string_adp_assign_w(to_narrow.handle(), u"Профиль");
    }
    EXPECT_EQ(wide, u"Профиль");
    EXPECT_EQ(narrow, profile_1251);
    {
        Tzv_std_wstring_adapter to_wide(wide);
        Tzv_std_string_adapter to_narrow(narrow);
        zv_string_adp_assign_w(to_wide.handle(), u"Линия 1");
        zv_string_adp_assign(to_narrow.handle(), "plain");
    }
    EXPECT_EQ(wide, u"Линия 1");
    EXPECT_EQ(narrow, "plain");
}

TEST_F(SupportStringAdapter, NullTextOfEitherWidthClearsTheTarget)
{
    for (bool wide_call : {true, false}) {
        SCOPED_TRACE(wide_call);
        std::u16string wide = u"old";
        std::string narrow = "old";
        {
            Tzv_std_wstring_adapter wide_adapter(wide);
            Tzv_std_string_adapter narrow_adapter(narrow);
            for (zv_string_adp_t handle : {wide_adapter.handle(), narrow_adapter.handle()}) {
                if (wide_call)
                    zv_string_adp_assign_w(handle, nullptr);
                else
                    zv_string_adp_assign(handle, nullptr);
            }
        }
        EXPECT_TRUE(wide.empty());
        EXPECT_TRUE(narrow.empty());
    }
}

// An adapter whose assignment fails must not throw into the host.
struct failing_adapter final : zv::Tzv_string_adapter_base {
    int calls = 0;
    void assign_wide(const char16_t*) override
    {
        ++calls;
        throw std::bad_alloc();
    }
    void assign_narrow(const char*) override
    {
        ++calls;
        throw std::bad_alloc();
    }
};

TEST_F(SupportStringAdapter, FailedAssignmentStaysInsideTheAdapter)
{
    failing_adapter adapter;
    EXPECT_NO_THROW(zv_string_adp_assign_w(adapter.handle(), u"x"));
    EXPECT_NO_THROW(zv_string_adp_assign(adapter.handle(), "x"));
    EXPECT_EQ(adapter.calls, 2);
}

} // namespace
