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

  private:
    static constexpr const char* names_[] = {"ZV_LANG", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(LanguageEnvironment, ExplicitChoiceWinsOverTheLocale)
{
    set("LANG", "en_US.UTF-8");
    set("ZV_LANG", "ru");
    EXPECT_EQ(zv_res_get_lng(), 0u);
    set("LANG", "ru_RU.UTF-8");
    set("ZV_LANG", "en");
    EXPECT_EQ(zv_res_get_lng(), 50000u);
}

TEST_F(LanguageEnvironment, UnknownChoiceDefersToTheLocale)
{
    set("ZV_LANG", "de");
    set("LANG", "ru_RU.UTF-8");
    EXPECT_EQ(zv_res_get_lng(), 0u);
}

TEST_F(LanguageEnvironment, LocaleVariablesFollowTheirPrecedence)
{
    set("LANG", "ru_RU.UTF-8");
    EXPECT_EQ(zv_res_get_lng(), 0u);
    set("LC_MESSAGES", "en_GB.UTF-8");
    EXPECT_EQ(zv_res_get_lng(), 50000u);
    set("LC_ALL", "ru_UA.KOI8-U");
    EXPECT_EQ(zv_res_get_lng(), 0u);
}

TEST_F(LanguageEnvironment, NoLanguageAtAllMeansEnglish)
{
    EXPECT_EQ(zv_res_get_lng(), 50000u);
    set("LANG", "C");
    EXPECT_EQ(zv_res_get_lng(), 50000u);
}

} // namespace
