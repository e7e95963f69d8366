// Process environment as the workbook writer sees it: environment variables,
// the calling thread's identifier, the processor clock and the current time.
//
// Every query can be overridden by tests through the seam at the end of this
// header, so documents that carry a user name, a time stamp or a folder name
// made from the thread and the clock can be compared byte for byte.
// Overrides are process-wide plain state (the module runs on one thread).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv::platform
{

// A calendar time broken down into its fields (month 1-12, day 1-31).
struct civil_time {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Value of the environment variable `name`, or nothing when it is not set.
// The value is decoded from the process's multibyte encoding (UTF-8 on POSIX).
std::optional<std::u16string> get_environment_variable(std::u16string_view name);

// Identifier of the calling thread, distinct among live threads.
std::uint64_t current_thread_id() noexcept;

// Processor time used by the process, in clock ticks (the C library's clock()).
long processor_clock() noexcept;

// The current time in UTC.
civil_time current_utc_time() noexcept;

// `unix_seconds` (seconds since 1970-01-01 00:00 UTC) as local calendar time.
civil_time to_local_time(std::int64_t unix_seconds) noexcept;

// ---- test seam -------------------------------------------------------------

// Makes get_environment_variable(name) answer `value`; an empty optional makes
// the variable look unset whatever the real environment holds.
void override_environment_variable(std::u16string_view name, std::optional<std::u16string> value);
// Answers with fixed values instead of the real ones; nullopt restores the real query.
void override_thread_id(std::optional<std::uint64_t> id) noexcept;
void override_processor_clock(std::optional<long> ticks) noexcept;
void override_utc_time(std::optional<civil_time> now) noexcept;
// Offset of local time from UTC in seconds used by to_local_time.
void override_local_offset(std::optional<std::int64_t> seconds) noexcept;
// Drops every override of this header.
void clear_environment_overrides() noexcept;

} // namespace zv::platform
