// The adapters as the host libraries drive them: the host's basic library
// delivers text through the handle, exactly as a host text getter does.
#include "support/string_adapter.h"

#include "host/zvk_basic.h"
#include "kit/scoped_env.h"

#include "foundation/code_page.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <type_traits>
#include <utility>

namespace
{

using zv::Tzv_std_string_adapter;
using zv::Tzv_std_wstring_adapter;

// "Профиль" in code page 1251.
const char profile_1251[] = "\xCF\xF0\xEE\xF4\xE8\xEB\xFC";

// Each delivery of either width, through each adapter's own handle, replaces
// the whole target, converting with the ANSI code page; null text clears it.
TEST(SupportStringAdapter, EachDeliveryReplacesTheTargetOfEitherWidth)
{
#if defined(_WIN32) // the system's code page, which only the Russian run has at 1251
    if (zv::foundation::ansi_code_page() != 1251)
        GTEST_SKIP() << "the cases are in code page 1251";
#endif
    zv::test::scoped_env env;
    env.set("ZV_ANSI_CODEPAGE", "1251");
    std::u16string wide = u"old";
    std::string narrow = "old";
    Tzv_std_wstring_adapter wide_adapter(wide);
    Tzv_std_string_adapter narrow_adapter(narrow);
    ASSERT_NE(wide_adapter.handle(), nullptr);
    EXPECT_NE(wide_adapter.handle(), narrow_adapter.handle());
    // Delivers the text to both targets; what they hold then.
    const auto deliver = [&](auto text) {
        for (zv_string_adp_t handle : {wide_adapter.handle(), narrow_adapter.handle()}) {
            if constexpr (std::is_same_v<decltype(text), const char*>)
                zv_string_adp_assign(handle, text);
            else
                zv_string_adp_assign_w(handle, text);
        }
        return std::pair(wide, narrow);
    };
    const auto profile = std::pair(std::u16string(u"Профиль"), std::string(profile_1251));
    const auto cleared = std::pair(std::u16string(), std::string());
    EXPECT_EQ(deliver(u"Профиль"), profile);
    EXPECT_EQ(deliver(static_cast<const char16_t*>(nullptr)), cleared);
    EXPECT_EQ(deliver(profile_1251), profile);
    EXPECT_EQ(deliver(static_cast<const char*>(nullptr)), cleared);
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

TEST(SupportStringAdapter, FailedAssignmentStaysInsideTheAdapter)
{
    failing_adapter adapter;
    EXPECT_NO_THROW(zv_string_adp_assign_w(adapter.handle(), u"x"));
    EXPECT_NO_THROW(zv_string_adp_assign(adapter.handle(), "x"));
    EXPECT_EQ(adapter.calls, 2);
}

} // namespace
