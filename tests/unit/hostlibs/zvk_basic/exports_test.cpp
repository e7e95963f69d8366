// String adapters and the user-interface language of zvk_basic. (Its string
// table is read through the module's string loader: string_loader_test.cpp.)
#include "host/zvk_basic.h"
#include "kit/scoped_env.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace
{

// Each text reaching its callback with its context, a null text as null, is
// the module's adapters' test (tests/unit/support), which delivers through
// this library. An adapter without a narrow callback drops narrow text; a
// null adapter is ignored; nothing a callback throws escapes.
TEST(StringAdapter, MissingCallbacksNullAdaptersAndThrowingCallbacksAreHarmless)
{
    std::u16string seen;
    zv_string_adp_t wide_only = zv_string_adp_create(
        nullptr, [](const char16_t* text, void* self) { *static_cast<std::u16string*>(self) += text; },
        &seen);
    zv_string_adp_assign(wide_only, "dropped");
    zv_string_adp_assign_w(wide_only, u"kept");
    zv_string_adp_destroy(wide_only);
    EXPECT_EQ(seen, u"kept");
    zv_string_adp_assign(nullptr, "x");
    zv_string_adp_assign_w(nullptr, u"x");
    zv_string_adp_destroy(nullptr);
    zv_string_adp_t adapter = zv_string_adp_create([](const char*, void*) { throw 1; },
                                                   [](const char16_t*, void*) { throw 2; }, nullptr);
    EXPECT_NO_THROW(zv_string_adp_assign(adapter, "x"));
    EXPECT_NO_THROW(zv_string_adp_assign_w(adapter, u"x"));
    zv_string_adp_destroy(adapter);
}

// ZV_LANG (ru or en) wins; otherwise LC_ALL, LC_MESSAGES, LANG in that order;
// English (50000) when nothing says Russian (0).
TEST(Language, ExplicitChoiceThenLocaleVariablesInTheirPrecedence)
{
    const struct {
        std::optional<std::string> zv_lang, lc_all, lc_messages, lang;
        unsigned expected;
    } cases[] = {
        {"ru", {}, {}, "en_US.UTF-8", 0},
        {"en", {}, {}, "ru_RU.UTF-8", 50000},
        {"de", {}, {}, "ru_RU.UTF-8", 0}, // unknown choice defers to the locale
        {{}, {}, "en_GB.UTF-8", "ru_RU.UTF-8", 50000},
        {{}, "ru_UA.KOI8-U", "en_GB.UTF-8", "ru_RU.UTF-8", 0},
        {{}, {}, {}, {}, 50000},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        zv::test::scoped_env env;
        env.set("ZV_LANG", cases[i].zv_lang).set("LC_ALL", cases[i].lc_all);
        env.set("LC_MESSAGES", cases[i].lc_messages).set("LANG", cases[i].lang);
        EXPECT_EQ(zv_res_get_lng(), cases[i].expected);
    }
}

} // namespace
