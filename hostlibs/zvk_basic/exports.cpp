// The exported C functions of zvk_basic: string adapters, the handle
// through which a host function hands text back to its caller by calling the
// caller's narrow or wide callback; and the user-interface language, as the
// identifier offset of its string table entries (0 Russian, 50000 English).
#include "foundation/guard.h"
#include "host/zvk_basic.h"

#include <cctype>
#include <cstdlib>
#include <new>
#include <string_view>

struct zv_string_adp {
    zv_string_adp_narrow_fn narrow;
    zv_string_adp_wide_fn wide;
    void* context;
};

extern "C" {

zv_string_adp_t zv_string_adp_create(zv_string_adp_narrow_fn narrow, zv_string_adp_wide_fn wide,
                                     void* context)
{
    return new (std::nothrow) zv_string_adp{narrow, wide, context};
}

void zv_string_adp_destroy(zv_string_adp_t adapter)
{
    delete adapter;
}

// The callbacks are the caller's; nothing they throw may cross back into C.
void zv_string_adp_assign(zv_string_adp_t adapter, const char* text)
{
    if (adapter == nullptr || adapter->narrow == nullptr)
        return;
    zv::foundation::guarded_void([&] { adapter->narrow(text, adapter->context); });
}

void zv_string_adp_assign_w(zv_string_adp_t adapter, const char16_t* text)
{
    if (adapter == nullptr || adapter->wide == nullptr)
        return;
    zv::foundation::guarded_void([&] { adapter->wide(text, adapter->context); });
}

} // extern "C"

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
