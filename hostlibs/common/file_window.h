// Read access to a file through one buffered window: a run of sequential
// reads costs one system call per window, not one per record. The file
// descriptor stays open, so a file that is replaced (renamed over) while
// the window is open keeps being read from the old contents.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zv::hostcommon
{

class file_window
{
  public:
    static constexpr std::size_t default_window_bytes = std::size_t{1} << 20;

    file_window() = default;
    ~file_window();
    file_window(const file_window&) = delete;
    file_window& operator=(const file_window&) = delete;

    // Opens path (UTF-8) read-only, or read-write when writable. False when
    // it cannot be opened or is not a regular file.
    bool open(const std::string& path, bool writable = false);
    void close();
    bool is_open() const { return fd_ >= 0; }
    std::uint64_t size() const { return size_; }

    // Pointer to bytes [offset, offset + length) of the file, valid until the
    // next call; null when that range lies outside the file or cannot be read.
    const unsigned char* view(std::uint64_t offset, std::size_t length);

    // Writes bytes at offset in place (writable files only) and keeps the
    // window in step. False when the write fails or would grow the file.
    bool write(std::uint64_t offset, const void* data, std::size_t length);

  private:
    bool load(std::uint64_t offset, std::size_t length);

    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::vector<unsigned char> buffer_;
    std::uint64_t window_offset_ = 0;
    std::size_t window_length_ = 0;
};

// Reads a whole small file (UTF-8 path) into text; false when it cannot be
// read or is larger than max_bytes.
bool read_small_file(const std::string& path, std::size_t max_bytes, std::string& text);

} // namespace zv::hostcommon
