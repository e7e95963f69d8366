// The environment queries with the test overrides in front of each; the
// system's answers come from environment_system.h.
#include "platform/environment.h"

#include "platform/environment_system.h"

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
    return system::environment_variable(name);
}

std::uint64_t current_thread_id() noexcept
{
    return state().thread_id ? *state().thread_id : system::thread_id();
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
    return system::utc_now().value_or(civil_time{});
}

civil_time to_local_time(std::int64_t unix_seconds) noexcept
{
    if (state().local_offset)
        return from_unix(unix_seconds + *state().local_offset);
    if (const auto local = system::local_time(unix_seconds))
        return *local;
    return from_unix(unix_seconds);
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
