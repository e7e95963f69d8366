#include "host/zvk_basic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Records every delivery, narrow and wide, in order.
struct recorder {
    std::vector<std::string> narrow;
    std::vector<std::u16string> wide;
    int null_deliveries = 0;
};

void on_narrow(const char* text, void* context)
{
    auto* r = static_cast<recorder*>(context);
    if (text == nullptr)
        ++r->null_deliveries;
    else
        r->narrow.emplace_back(text);
}

void on_wide(const char16_t* text, void* context)
{
    auto* r = static_cast<recorder*>(context);
    if (text == nullptr)
        ++r->null_deliveries;
    else
        r->wide.emplace_back(text);
}

TEST(StringAdapter, DeliversEachTextToTheMatchingCallbackWithItsContext)
{
    recorder r;
    zv_string_adp_t adapter = zv_string_adp_create(on_narrow, on_wide, &r);
    ASSERT_NE(adapter, nullptr);
    zv_string_adp_assign(adapter, "Profile");
    zv_string_adp_assign_w(adapter, u"Профиль");
    zv_string_adp_assign_w(adapter, u"");
    zv_string_adp_assign(adapter, nullptr); // null text is passed on
    zv_string_adp_assign_w(adapter, nullptr);
    zv_string_adp_destroy(adapter);
    EXPECT_EQ(r.narrow, std::vector<std::string>{"Profile"});
    EXPECT_EQ(r.wide, (std::vector<std::u16string>{u"Профиль", u""}));
    EXPECT_EQ(r.null_deliveries, 2);
}

TEST(StringAdapter, NullAdapterMissingAndThrowingCallbacksAreHarmless)
{
    zv_string_adp_assign(nullptr, "x");
    zv_string_adp_assign_w(nullptr, u"x");
    zv_string_adp_destroy(nullptr);
    recorder r;
    zv_string_adp_t wide_only = zv_string_adp_create(nullptr, on_wide, &r);
    zv_string_adp_assign(wide_only, "dropped");
    zv_string_adp_assign_w(wide_only, u"kept");
    zv_string_adp_destroy(wide_only);
    EXPECT_TRUE(r.narrow.empty());
    EXPECT_EQ(r.wide, std::vector<std::u16string>{u"kept"});
    // A throwing callback does not escape.
    zv_string_adp_t adapter = zv_string_adp_create([](const char*, void*) { throw 1; },
                                                   [](const char16_t*, void*) { throw 2; }, nullptr);
    EXPECT_NO_THROW(zv_string_adp_assign(adapter, "x"));
    EXPECT_NO_THROW(zv_string_adp_assign_w(adapter, u"x"));
    zv_string_adp_destroy(adapter);
}

} // namespace
