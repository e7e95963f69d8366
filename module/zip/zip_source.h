// The data source of one archive entry: a file, a memory block or a folder
// (no data), with what the entry records about it and the CRC of what was read.
#pragma once

#include "platform/file_io.h"
#include "zip/zip_result.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zv::zip
{

class ZipSource
{
  public:
    ZipSource() = default;
    ZipSource(const ZipSource&) = delete;
    ZipSource& operator=(const ZipSource&) = delete;
    ~ZipSource() { close(); }

    // Opens a file for reading and reads its size, times and attributes;
    // 0x200 when it cannot be opened or described, 0x10000 when it is too
    // large for the archive format.
    std::uint32_t open_file(const std::u16string& path) noexcept;
    // A memory block of size_bytes; time stamps are the current local time.
    void open_memory(const void* data, std::uint32_t size_bytes) noexcept;
    // A folder entry: no data; time stamps are the current local time.
    void open_folder() noexcept;

    // Reads up to size_bytes and adds them to the CRC and the count read;
    // 0 at the end, -1 on a read error.
    std::int64_t read(std::uint8_t* buffer, std::size_t size_bytes) noexcept;

    // Closes a file that open_file opened.
    void close() noexcept;

    std::uint32_t external_attributes() const noexcept { return external_attributes_; }
    std::uint32_t dos_time() const noexcept { return dos_time_; }
    std::int64_t access_time() const noexcept { return access_time_; }
    std::int64_t modification_time() const noexcept { return modification_time_; }
    std::int64_t creation_time() const noexcept { return creation_time_; }
    std::int32_t size() const noexcept { return size_; }
    std::uint32_t bytes_read() const noexcept { return bytes_read_; }
    std::uint32_t crc() const noexcept { return crc_; }

  private:
    void stamp_now() noexcept;

    std::uint32_t external_attributes_ = 0;
    std::int64_t access_time_ = 0;
    std::int64_t modification_time_ = 0;
    std::int64_t creation_time_ = 0;
    std::uint32_t dos_time_ = 0;
    std::int32_t size_ = -1; // -1 when unknown
    std::uint32_t bytes_read_ = 0;
    std::uint32_t crc_ = 0;
    platform::file_handle file_ = platform::invalid_file;
    bool close_file_ = false;
    const std::uint8_t* memory_ = nullptr;
    std::uint32_t memory_size_ = 0;
    std::uint32_t memory_pos_ = 0;
};

} // namespace zv::zip
