#include "support/encoding.h"

#include "foundation/code_page.h"
#include "foundation/utf.h"
#include "host/zvk_file_dbf.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace
{

using zv::to_narrow;
using zv::to_wide;

const std::u16string profile = u"Профиль";
const std::string profile_1251 = "\xCF\xF0\xEE\xF4\xE8\xEB\xFC";
const std::string profile_utf8 = "\xD0\x9F\xD1\x80\xD0\xBE\xD1\x84\xD0\xB8\xD0\xBB\xD1\x8C";

// Narrow text that a host library hands out reads back as the same text in
// the module under every locale (this also covers the locale rule).
TEST(SupportConversion, NarrowTextOfAHostLibraryReadsBackTheSameInTheModule)
{
    const std::pair<const char*, std::u16string> samples[] = {
        {"ky_KG", u"Бишкек"},  {"bs_BA", u"Šđčćž"},  {"sq_AL", u"Çkëtë"},        {"iw_IL", u"שלום"},
        {"ru-RU", u"Профиль"}, {"el_GR", u"Προφίλ"}, {"C.UTF-8", u"Профиль 中"}, {"en_US", u"Café"},
    };
    zv::test::scratch_folder dir;
    const std::u16string path = zv::foundation::to_utf16(dir.file("agree.dbf"));
    const dbf_field_desc field{"NAME", 'C', 40, 0};
    zv::test::scoped_env env;
    env.set("ZV_ANSI_CODEPAGE", std::nullopt).set("LC_CTYPE", std::nullopt).set("LANG", std::nullopt);
    for (const auto& [locale, text] : samples) {
        SCOPED_TRACE(locale);
        env.set("LC_ALL", locale);
        // Windows keeps the ANSI code page it started with: only the sample
        // of that code page applies there.
        if (zv::foundation::ansi_code_page() != zv::foundation::code_page_of_locale(locale))
            continue;
        zv_dbf_t table = zv_dbf_create_w(path.c_str(), 1, 1, &field, 0);
        ASSERT_NE(table, nullptr);
        ASSERT_TRUE(zv_dbf_set_str_w(table, 0, 0, text.c_str()));
        const char* narrow = zv_dbf_get_str(table, 0, 0, nullptr);
        ASSERT_NE(narrow, nullptr);
        EXPECT_EQ(to_wide(narrow), text);
        EXPECT_EQ(zv_dbf_get_str(table, 0, 0, nullptr), to_narrow(text));
        zv_dbf_close(table);
    }
}

// The system entry follows the ANSI code page (each code page's letters are
// the foundation's tests); chosen entries ignore it; lengths limit the
// converted part (embedded zeros are ordinary units then); null text, an
// unknown code page and an index outside the table give empty text.
TEST(SupportConversion, EntriesLengthsAndEmptyText)
{
    zv::test::scoped_env env;
#if !defined(_WIN32) // Windows has its own ANSI code page, no override
    env.set("ZV_ANSI_CODEPAGE", "12345");
    EXPECT_EQ(zv::code_page_of(zv::encoding_system), 12345u);
    EXPECT_EQ(to_wide(profile_1251), u"");
    EXPECT_EQ(to_narrow(profile), "");
#endif
    EXPECT_EQ(to_wide(profile_utf8.data(), profile_utf8.size(), zv::encoding_utf8), profile);
    EXPECT_EQ(to_wide("abc", 3, zv::encoding_count), u"");
    EXPECT_EQ(zv::code_page_of(zv::encoding_count), 0u);

#if defined(_WIN32) // the system's code page: Cyrillic converts only under 1251
    const bool cyrillic = zv::foundation::ansi_code_page() == 1251;
#else
    env.set("ZV_ANSI_CODEPAGE", "1251");
    const bool cyrillic = true;
#endif
    if (cyrillic) {
        EXPECT_EQ(to_wide(profile_1251), profile);
        EXPECT_EQ(to_narrow(profile), profile_1251);
        EXPECT_EQ(to_narrow(profile.c_str()), profile_1251);
        EXPECT_EQ(to_wide(profile_1251.c_str(), 3, zv::encoding_system), u"Про");
        EXPECT_EQ(to_narrow(profile.c_str(), 2), "\xCF\xF0");
    } else {
        EXPECT_NE(to_wide(profile_1251), profile);
    }
    EXPECT_EQ(to_wide(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(to_wide(static_cast<const char*>(nullptr)), u"");
    EXPECT_EQ(to_wide(nullptr, 5, zv::encoding_system), u"");
    EXPECT_EQ(to_narrow(u"", 0), "");
    EXPECT_EQ(to_narrow(static_cast<const char16_t*>(nullptr)), "");
    EXPECT_EQ(to_narrow(nullptr, 3), "");
}

} // namespace
