// The user-interface language, as the identifier offset of its string table
// entries: 0 for Russian, 50000 for English.
#include "host/zvk_basic.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace
{

constexpr uint32_t russian_offset = 0;
constexpr uint32_t english_offset = 50000;

bool starts_with_ru(std::string_view value)
{
    return value.size() >= 2 && std::tolower(static_cast<unsigned char>(value[0])) == 'r' &&
           std::tolower(static_cast<unsigned char>(value[1])) == 'u';
}

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

// The messages language of the locale, with the usual precedence.
std::string_view locale_language()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string_view value = environment(name);
        if (!value.empty())
            return value;
    }
    return {};
}

} // namespace

extern "C" uint32_t zv_res_get_lng(void)
{
    // ZV_LANG (ru or en) chooses explicitly; anything else defers to the locale.
    std::string_view chosen = environment("ZV_LANG");
    if (chosen == "ru")
        return russian_offset;
    if (chosen == "en")
        return english_offset;
    return starts_with_ru(locale_language()) ? russian_offset : english_offset;
}
