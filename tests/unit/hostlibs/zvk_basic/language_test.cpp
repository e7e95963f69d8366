#include "host/zvk_basic.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace
{

// Sets the language variables for one test and restores them afterwards.
class LanguageEnvironment : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        for (const char* name : names_) {
            const char* value = std::getenv(name);
            saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
            ::unsetenv(name);
        }
    }
    void TearDown() override
    {
        for (auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    static void set(const char* name, const char* value) { ::setenv(name, value, 1); }

    static constexpr const char* names_[] = {"ZV_LANG", "LC_ALL", "LC_MESSAGES", "LANG"};

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// ZV_LANG (ru or en) wins; otherwise LC_ALL, LC_MESSAGES, LANG in that order;
// English (50000) when nothing says Russian (0).
TEST_F(LanguageEnvironment, ExplicitChoiceThenLocaleVariablesInTheirPrecedence)
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
    for (const auto& c : cases) {
        const char* const values[] = {c.zv_lang, c.lc_all, c.lc_messages, c.lang};
        SCOPED_TRACE(::testing::Message()
                     << (c.zv_lang ? c.zv_lang : "-") << " " << (c.lc_all ? c.lc_all : "-") << " "
                     << (c.lc_messages ? c.lc_messages : "-") << " " << (c.lang ? c.lang : "-"));
        for (std::size_t i = 0; i < 4; ++i) {
            if (values[i])
                set(names_[i], values[i]);
            else
                ::unsetenv(names_[i]);
        }
        EXPECT_EQ(zv_res_get_lng(), c.expected);
    }
}

} // namespace
