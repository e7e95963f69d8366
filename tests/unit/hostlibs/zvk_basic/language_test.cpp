#include "host/zvk_basic.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "kit/scoped_env.h"

namespace
{

// ZV_LANG (ru or en) wins; otherwise LC_ALL, LC_MESSAGES, LANG in that order;
// English (50000) when nothing says Russian (0).
TEST(LanguageEnvironment, ExplicitChoiceThenLocaleVariablesInTheirPrecedence)
{
    struct language_case {
        const char *zv_lang, *lc_all, *lc_messages, *lang;
        unsigned expected;
    };
    const language_case cases[] = {
        {"ru", nullptr, nullptr, "en_US.UTF-8", 0},
        {"en", nullptr, nullptr, "ru_RU.UTF-8", 50000},
        {"de", nullptr, nullptr, "ru_RU.UTF-8", 0}, // unknown choice defers to the locale
        {nullptr, nullptr, nullptr, "ru_RU.UTF-8", 0},
        {nullptr, nullptr, "en_GB.UTF-8", "ru_RU.UTF-8", 50000},
        {nullptr, "ru_UA.KOI8-U", "en_GB.UTF-8", "ru_RU.UTF-8", 0},
        {nullptr, nullptr, nullptr, nullptr, 50000},
        {nullptr, nullptr, nullptr, "C", 50000},
    };
    static constexpr const char* names[] = {"ZV_LANG", "LC_ALL", "LC_MESSAGES", "LANG"};
    for (const auto& c : cases) {
        const char* const values[] = {c.zv_lang, c.lc_all, c.lc_messages, c.lang};
        SCOPED_TRACE(::testing::Message()
                     << (c.zv_lang ? c.zv_lang : "-") << " " << (c.lc_all ? c.lc_all : "-") << " "
                     << (c.lc_messages ? c.lc_messages : "-") << " " << (c.lang ? c.lang : "-"));
        zv::test::scoped_env env;
        for (std::size_t i = 0; i < 4; ++i)
            env.set(names[i], values[i] ? std::optional<std::string>(values[i]) : std::nullopt);
        EXPECT_EQ(zv_res_get_lng(), c.expected);
    }
}

} // namespace
