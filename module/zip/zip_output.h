// The one path every byte of an archive takes: a file or a memory block, with
// the capacity check of memory output and the writer's sticky error.
#pragma once

#include "platform/file_io.h"
#include "zip/zip_result.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zv::zip
{

class ZipOutput
{
  public:
    ZipOutput() = default;
    ZipOutput(const ZipOutput&) = delete;
    ZipOutput& operator=(const ZipOutput&) = delete;
    ~ZipOutput() { release(); }

    // Writes to an open file; owned files are closed by release().
    void attach_file(platform::file_handle file, bool owned) noexcept;
    // Writes to the caller's block of capacity bytes.
    void attach_memory(std::uint8_t* base, std::uint32_t capacity) noexcept;
    // Writes to a block of its own of capacity bytes; false when it cannot
    // be allocated.
    bool allocate_memory(std::uint32_t capacity) noexcept;

    // Writes all bytes or none. Returns zr_ok, or the error now sticky:
    // zr_write_failed for a short file write, zr_no_space when memory output
    // would reach its capacity, zr_not_initialised with no output at all, or
    // an earlier sticky error.
    std::uint32_t put(const void* data, std::size_t size_bytes) noexcept;
    // Positions the output at an absolute offset; zr_ok or the sticky error
    // (zr_unseekable when the output cannot seek, zr_no_space beyond the
    // capacity).
    std::uint32_t seek(std::uint64_t offset_bytes) noexcept;

    bool can_seek() const noexcept { return can_seek_; }
    bool is_memory() const noexcept { return memory_ != nullptr; }
    std::uint8_t* memory_base() const noexcept { return memory_; }

    std::uint32_t sticky_error() const noexcept { return sticky_; }
    void set_sticky_error(std::uint32_t code) noexcept;

    // Closes an owned file and frees an owned block.
    void release() noexcept;

  private:
    platform::file_handle file_ = platform::invalid_file;
    bool owns_file_ = false;
    bool can_seek_ = false;
    std::uint8_t* memory_ = nullptr;
    std::unique_ptr<std::uint8_t[]> owned_memory_;
    std::uint32_t position_ = 0;
    std::uint32_t capacity_ = 0;
    std::uint32_t sticky_ = zr_ok;
};

} // namespace zv::zip
