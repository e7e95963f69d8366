#include "common/file_window.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv::hostcommon
{
namespace
{

// pread until length bytes arrived; false on error or end of file.
bool read_fully(int fd, unsigned char* out, std::size_t length, std::uint64_t offset)
{
    while (length > 0) {
        const ssize_t got = ::pread(fd, out, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        out += got;
        length -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
    return true;
}

} // namespace

file_window::~file_window()
{
    close();
}

bool file_window::open(const std::string& path, bool writable)
{
    close();
    const int fd = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(st.st_size);
    return true;
}

void file_window::close()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    size_ = 0;
    window_length_ = 0;
    buffer_.clear();
    buffer_.shrink_to_fit();
}

const unsigned char* file_window::view(std::uint64_t offset, std::size_t length)
{
    if (fd_ < 0 || offset > size_ || length > size_ - offset) {
        return nullptr;
    }
    if (offset >= window_offset_ && offset - window_offset_ <= window_length_ &&
        length <= window_length_ - (offset - window_offset_)) {
        return buffer_.data() + (offset - window_offset_);
    }
    return load(offset, length) ? buffer_.data() : nullptr;
}

bool file_window::load(std::uint64_t offset, std::size_t length)
{
    std::size_t wanted = length > default_window_bytes ? length : default_window_bytes;
    if (wanted > size_ - offset) {
        wanted = static_cast<std::size_t>(size_ - offset);
    }
    if (buffer_.size() < wanted) {
        buffer_.resize(wanted);
    }
    window_length_ = 0;
    if (!read_fully(fd_, buffer_.data(), wanted, offset)) {
        return false;
    }
    window_offset_ = offset;
    window_length_ = wanted;
    return true;
}

bool file_window::write(std::uint64_t offset, const void* data, std::size_t length)
{
    if (fd_ < 0 || offset > size_ || length > size_ - offset) {
        return false;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t done = 0; done < length;) {
        const ssize_t put = ::pwrite(fd_, bytes + done, length - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            window_length_ = 0;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    // Keep the overlapping part of the window in step with the file.
    const std::uint64_t lo = offset > window_offset_ ? offset : window_offset_;
    const std::uint64_t hi_a = offset + length;
    const std::uint64_t hi_b = window_offset_ + window_length_;
    const std::uint64_t hi = hi_a < hi_b ? hi_a : hi_b;
    if (lo < hi) {
        std::memcpy(buffer_.data() + (lo - window_offset_), bytes + (lo - offset), hi - lo);
    }
    return true;
}

bool read_small_file(const std::string& path, std::size_t max_bytes, std::string& text)
{
    file_window file;
    if (!file.open(path) || file.size() > max_bytes) {
        return false;
    }
    const auto n = static_cast<std::size_t>(file.size());
    const unsigned char* bytes = file.view(0, n);
    if (bytes == nullptr && n > 0) {
        return false;
    }
    text.assign(reinterpret_cast<const char*>(bytes), n);
    return true;
}

} // namespace zv::hostcommon
