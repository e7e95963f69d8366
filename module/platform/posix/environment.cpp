// The environment on POSIX: getenv (values in UTF-8), pthread_self,
// gmtime_r and localtime_r.
#include "platform/environment_system.h"

#include <pthread.h>

#include <cstdlib>
#include <ctime>

namespace zv::platform
{
namespace
{

// Names are ASCII in practice; anything else cannot name a POSIX variable
// portably and is treated as unset.
std::optional<std::string> narrow_name(std::u16string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (char16_t c : name) {
        if (c == 0 || c > 0x7F || c == u'=')
            return std::nullopt;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

// Decodes UTF-8; malformed bytes become U+FFFD so a bad value never fails.
std::u16string decode_utf8(std::string_view in)
{
    std::u16string out;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        auto b = static_cast<unsigned char>(in[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < in.size();
        for (int k = 1; ok && k <= extra; ++k) {
            auto c = static_cast<unsigned char>(in[i + static_cast<std::size_t>(k)]);
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(u'\xFFFD');
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

civil_time from_tm(const std::tm& t)
{
    return civil_time{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

} // namespace

std::optional<std::u16string> system::environment_variable(std::u16string_view name)
{
    auto narrow = narrow_name(name);
    if (!narrow || narrow->empty())
        return std::nullopt;
    const char* value = std::getenv(narrow->c_str());
    if (value == nullptr)
        return std::nullopt;
    return decode_utf8(value);
}

std::uint64_t system::thread_id() noexcept
{
    return static_cast<std::uint64_t>(pthread_self());
}

std::optional<civil_time> system::utc_now() noexcept
{
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (gmtime_r(&now, &parts) == nullptr)
        return std::nullopt;
    return from_tm(parts);
}

std::optional<civil_time> system::local_time(std::int64_t unix_seconds) noexcept
{
    auto t = static_cast<std::time_t>(unix_seconds);
    std::tm parts{};
    if (localtime_r(&t, &parts) == nullptr)
        return std::nullopt;
    return from_tm(parts);
}

} // namespace zv::platform
