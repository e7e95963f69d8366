// POSIX implementation of the environment queries: getenv, pthread_self,
// clock, gmtime_r / localtime_r, with the test overrides in front of each.
#include "platform/environment.h"

#include <pthread.h>

#include <cstdlib>
#include <ctime>
#include <map>

namespace zv::platform
{
namespace
{

struct overrides {
    std::map<std::u16string, std::optional<std::u16string>, std::less<>> variables;
    std::optional<std::uint64_t> thread_id;
    std::optional<long> clock_ticks;
    std::optional<civil_time> utc_now;
    std::optional<std::int64_t> local_offset;
};

overrides& state()
{
    static overrides instance;
    return instance;
}

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

// Days since 1970-01-01 to civil date (proleptic Gregorian).
civil_time from_unix(std::int64_t seconds)
{
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return civil_time{
        static_cast<int>(year),        static_cast<int>(month),          static_cast<int>(day),
        static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60)};
}

} // namespace

std::optional<std::u16string> get_environment_variable(std::u16string_view name)
{
    auto& vars = state().variables;
    if (auto it = vars.find(name); it != vars.end())
        return it->second;
    auto narrow = narrow_name(name);
    if (!narrow || narrow->empty())
        return std::nullopt;
    const char* value = std::getenv(narrow->c_str());
    if (value == nullptr)
        return std::nullopt;
    return decode_utf8(value);
}

std::uint64_t current_thread_id() noexcept
{
    if (state().thread_id)
        return *state().thread_id;
    return static_cast<std::uint64_t>(pthread_self());
}

long processor_clock() noexcept
{
    if (state().clock_ticks)
        return *state().clock_ticks;
    return static_cast<long>(std::clock());
}

civil_time current_utc_time() noexcept
{
    if (state().utc_now)
        return *state().utc_now;
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (gmtime_r(&now, &parts) == nullptr)
        return civil_time{};
    return from_tm(parts);
}

civil_time to_local_time(std::int64_t unix_seconds) noexcept
{
    if (state().local_offset)
        return from_unix(unix_seconds + *state().local_offset);
    auto t = static_cast<std::time_t>(unix_seconds);
    std::tm parts{};
    if (localtime_r(&t, &parts) == nullptr)
        return from_unix(unix_seconds);
    return from_tm(parts);
}

void override_environment_variable(std::u16string_view name, std::optional<std::u16string> value)
{
    state().variables.insert_or_assign(std::u16string(name), std::move(value));
}

void override_thread_id(std::optional<std::uint64_t> id) noexcept
{
    state().thread_id = id;
}

void override_processor_clock(std::optional<long> ticks) noexcept
{
    state().clock_ticks = ticks;
}

void override_utc_time(std::optional<civil_time> now) noexcept
{
    state().utc_now = now;
}

void override_local_offset(std::optional<std::int64_t> seconds) noexcept
{
    state().local_offset = seconds;
}

void clear_environment_overrides() noexcept
{
    state().variables.clear();
    state().thread_id.reset();
    state().clock_ticks.reset();
    state().utc_now.reset();
    state().local_offset.reset();
}

} // namespace zv::platform
