// Read access to a file through one buffered window: a run of sequential
// reads costs one system call per window, not one per record. The file stays
// open, so a file that is replaced (renamed over) while the window is open
// keeps being read from the old contents.
#pragma once

#include "foundation/file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zv::foundation
{

class file_window
{
  public:
    static constexpr std::size_t default_window_bytes = std::size_t{1} << 20;

    // Opens path (native) read-only, or read-write when writable. False when
    // it cannot be opened or is not a regular file.
    bool open(const std::string& path, bool writable = false);
    void close();
    bool is_open() const { return file_.is_open(); }
    std::uint64_t size() const { return size_; }

    // Pointer to bytes [offset, offset + length) of the file, valid until the
    // next call; null when that range lies outside the file or cannot be read.
    const unsigned char* view(std::uint64_t offset, std::size_t length);

    // Writes bytes at offset in place (writable files only) and keeps the
    // window in step. False when the write fails or would grow the file.
    bool write(std::uint64_t offset, const void* data, std::size_t length);

  private:
    bool load(std::uint64_t offset, std::size_t length);

    file file_;
    std::uint64_t size_ = 0;
    std::vector<unsigned char> buffer_;
    std::uint64_t window_offset_ = 0;
    std::size_t window_length_ = 0;
};

} // namespace zv::foundation
