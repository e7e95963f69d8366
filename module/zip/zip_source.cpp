#include "zip/zip_source.h"

#include "zip/crc32.h"
#include "zip/zip_entry.h"
#include "zip/zip_format.h"

#include <algorithm>
#include <cstring>

namespace zv::zip
{

std::uint32_t ZipSource::open_file(const std::u16string& path) noexcept
{
    file_ = platform::open_file_read(path);
    if (file_ == platform::invalid_file) {
        return zr_open_failed;
    }
    close_file_ = true;
    platform::file_info info;
    if (!platform::file_information(file_, info) || !platform::seek_file(file_, 0)) {
        close();
        return zr_open_failed;
    }
    if (info.size_bytes > 0x7FFFFFFF) {
        close();
        return zr_bad_arguments;
    }
    size_ = static_cast<std::int32_t>(info.size_bytes);
    external_attributes_ = file_external_attributes(info.attributes);
    access_time_ = info.access_time_unix;
    modification_time_ = info.write_time_unix;
    creation_time_ = info.creation_time_unix;
    // The DOS time is the last-write time in UTC, not converted to local time.
    dos_time_ = dos_time_stamp(platform::utc_calendar_time(info.write_time_unix));
    return zr_ok;
}

void ZipSource::open_memory(const void* data, std::uint32_t size_bytes) noexcept
{
    memory_ = static_cast<const std::uint8_t*>(data);
    memory_size_ = size_bytes;
    size_ = static_cast<std::int32_t>(std::min<std::uint32_t>(size_bytes, 0x7FFFFFFF));
    external_attributes_ = zip_memory_attributes;
    stamp_now();
}

void ZipSource::open_folder() noexcept
{
    size_ = 0;
    external_attributes_ = zip_folder_attributes;
    stamp_now();
}

// Local wall-clock time for the DOS stamp, and the same clock reading taken
// as UTC for the Unix times.
void ZipSource::stamp_now() noexcept
{
    const platform::calendar_time now = platform::local_calendar_time_now();
    dos_time_ = dos_time_stamp(now);
    access_time_ = modification_time_ = creation_time_ = platform::unix_seconds_of(now);
}

std::int64_t ZipSource::read(std::uint8_t* buffer, std::size_t size_bytes) noexcept
{
    std::int64_t got = 0;
    if (file_ != platform::invalid_file) {
        got = platform::read_file(file_, buffer, size_bytes);
    } else if (memory_ != nullptr) {
        got = std::min<std::int64_t>(static_cast<std::int64_t>(size_bytes), memory_size_ - memory_pos_);
        std::memcpy(buffer, memory_ + memory_pos_, static_cast<std::size_t>(got));
        memory_pos_ += static_cast<std::uint32_t>(got);
    }
    if (got > 0) {
        crc_ = crc32_update(crc_, buffer, static_cast<std::size_t>(got));
        bytes_read_ += static_cast<std::uint32_t>(got);
    }
    return got;
}

void ZipSource::close() noexcept
{
    if (close_file_ && file_ != platform::invalid_file) {
        platform::close_file(file_);
    }
    file_ = platform::invalid_file;
    close_file_ = false;
}

} // namespace zv::zip
