// File input and output for the archive writer and the workbook writer: open,
// create, read, write, seek, close, and the facts about a file that an archive
// entry records (size, times, attributes).
//
// Paths are UTF-16; on POSIX backslashes are taken as slashes and the path is
// handed to the system as UTF-8. Nothing here throws.
//
// Every call goes through one replaceable table of functions (file_io_ops), so
// tests can inject an open failure or a short write without touching the disk
// layer itself (set_file_io_ops_for_testing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zv::platform
{

// An open file. On POSIX the descriptor, on Windows the HANDLE value.
using file_handle = std::intptr_t;
inline constexpr file_handle invalid_file = -1;

// Attribute bits with the values of the Windows file attributes, which the
// archive's external attributes carry in their low byte.
inline constexpr std::uint32_t file_attribute_read_only = 0x01;
inline constexpr std::uint32_t file_attribute_hidden = 0x02;
inline constexpr std::uint32_t file_attribute_system = 0x04;
inline constexpr std::uint32_t file_attribute_directory = 0x10;
inline constexpr std::uint32_t file_attribute_archive = 0x20;

// What an archive entry records about its source file.
struct file_info {
    std::uint64_t size_bytes = 0;
    std::uint32_t attributes = 0;        // file_attribute_* bits
    std::int64_t access_time_unix = 0;   // seconds since 1970-01-01 UTC
    std::int64_t write_time_unix = 0;    // last write, seconds since 1970-01-01 UTC
    std::int64_t creation_time_unix = 0; // seconds since 1970-01-01 UTC
};

// A calendar time, as the archive's DOS time stamp needs it.
struct calendar_time {
    int year = 1980;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
};

// The replaceable layer. Results: open/create give invalid_file on failure;
// read and write give the byte count done (0 at end of file), -1 on error; seek
// gives false when the file cannot be positioned; tell gives -1 when the
// position cannot be queried.
struct file_io_ops {
    file_handle (*open_read)(const std::u16string& path);
    file_handle (*create_write)(const std::u16string& path);
    std::int64_t (*read)(file_handle file, void* buffer, std::size_t size_bytes);
    std::int64_t (*write)(file_handle file, const void* data, std::size_t size_bytes);
    bool (*seek)(file_handle file, std::uint64_t offset_bytes);
    std::int64_t (*tell)(file_handle file);
    bool (*info)(file_handle file, file_info& out);
    void (*close)(file_handle file);
    bool (*remove)(const std::u16string& path);
};

// The operating system's implementation.
const file_io_ops& system_file_io_ops() noexcept;

// Replaces the table used by every call below; returns the previous one.
// Null restores the system table. For tests only.
const file_io_ops* set_file_io_ops_for_testing(const file_io_ops* ops) noexcept;

// Opens an existing file for reading, shared with other readers.
file_handle open_file_read(const std::u16string& path) noexcept;
// Creates a file for writing, replacing an existing one; no sharing.
file_handle create_file_write(const std::u16string& path) noexcept;
// Reads up to size_bytes; returns the count read (0 at end), -1 on error.
std::int64_t read_file(file_handle file, void* buffer, std::size_t size_bytes) noexcept;
// Writes all of data; returns the count written, which is short on failure.
std::int64_t write_file(file_handle file, const void* data, std::size_t size_bytes) noexcept;
// Positions the file at an absolute offset; false when it cannot seek.
bool seek_file(file_handle file, std::uint64_t offset_bytes) noexcept;
// The current position, or -1 when the file cannot report one (a pipe).
std::int64_t tell_file(file_handle file) noexcept;
// Whether the file can be repositioned (a regular file can, a pipe cannot).
bool file_can_seek(file_handle file) noexcept;
// Size, times and attributes of an open file.
bool file_information(file_handle file, file_info& out) noexcept;
// Closes the file; invalid_file is ignored.
void close_file(file_handle file) noexcept;
// Removes a file; false when it could not be removed.
bool remove_file(const std::u16string& path) noexcept;

// Calendar time in UTC of a Unix time (no local-time conversion).
calendar_time utc_calendar_time(std::int64_t unix_seconds) noexcept;
// The current local wall-clock time.
calendar_time local_calendar_time_now() noexcept;
// Unix seconds of a calendar time read as UTC.
std::int64_t unix_seconds_of(const calendar_time& time) noexcept;

} // namespace zv::platform
