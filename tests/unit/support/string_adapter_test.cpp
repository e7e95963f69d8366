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

TEST_F(SupportStringAdapter, WideAdapterReceivesWideAndNarrowText)
{
    std::u16string target;
    {
        Tzv_std_wstring_adapter adapter(target);
        ASSERT_NE(adapter.handle(), nullptr);
        zv_string_adp_assign_w(adapter.handle(), u"Линия 1");
    }
    EXPECT_EQ(target, u"Линия 1");
    {
        Tzv_std_wstring_adapter adapter(target);
        zv_string_adp_assign(adapter.handle(), profile_1251);
    }
    EXPECT_EQ(target, u"Профиль");
}

TEST_F(SupportStringAdapter, NarrowAdapterReceivesNarrowAndWideText)
{
    std::string target;
    {
        Tzv_std_string_adapter adapter(target);
        zv_string_adp_assign(adapter.handle(), "plain");
    }
    EXPECT_EQ(target, "plain");
    {
        Tzv_std_string_adapter adapter(target);
        zv_string_adp_assign_w(adapter.handle(), u"Профиль");
    }
    EXPECT_EQ(target, profile_1251);
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
            if (wide_call) {
                zv_string_adp_assign_w(wide_adapter.handle(), nullptr);
                zv_string_adp_assign_w(narrow_adapter.handle(), nullptr);
            } else {
                zv_string_adp_assign(wide_adapter.handle(), nullptr);
                zv_string_adp_assign(narrow_adapter.handle(), nullptr);
            }
        }
        EXPECT_TRUE(wide.empty());
        EXPECT_TRUE(narrow.empty());
    }
}

TEST_F(SupportStringAdapter, TargetHoldsTheLastDeliveryOrKeepsItsValue)
{
    std::u16string target = u"initial";
    {
        Tzv_std_wstring_adapter adapter(target);
    }
    EXPECT_EQ(target, u"initial");
    {
        Tzv_std_wstring_adapter adapter(target);
        zv_string_adp_assign_w(adapter.handle(), u"a much longer first text");
        zv_string_adp_assign_w(adapter.handle(), u"second");
    }
    EXPECT_EQ(target, u"second");
}

TEST_F(SupportStringAdapter, EachAdapterHasItsOwnHandle)
{
    std::u16string first;
    std::u16string second;
    Tzv_std_wstring_adapter a(first);
    Tzv_std_wstring_adapter b(second);
    EXPECT_NE(a.handle(), b.handle());
    zv_string_adp_assign_w(b.handle(), u"to b");
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(second, u"to b");
}

// An adapter whose assignment fails must not throw into the host.
class failing_adapter final : public zv::Tzv_string_adapter_base
{
  public:
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
