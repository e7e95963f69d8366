#include "foundation/file_window.h"

#include <algorithm>
#include <cstring>

namespace zv::foundation
{

bool file_window::open(const std::string& path, bool writable)
{
    close();
    if (!file_.open(path, writable ? file::access::read_write : file::access::read))
        return false;
    const auto size = file_.size();
    if (!size) {
        file_.close();
        return false;
    }
    size_ = *size;
    return true;
}

void file_window::close()
{
    file_.close();
    size_ = 0;
    window_length_ = 0;
    buffer_.clear();
    buffer_.shrink_to_fit();
}

const unsigned char* file_window::view(std::uint64_t offset, std::size_t length)
{
    if (!file_.is_open() || offset > size_ || length > size_ - offset)
        return nullptr;
    if (offset >= window_offset_ && offset - window_offset_ <= window_length_ &&
        length <= window_length_ - (offset - window_offset_))
        return buffer_.data() + (offset - window_offset_);
    return load(offset, length) ? buffer_.data() : nullptr;
}

bool file_window::load(std::uint64_t offset, std::size_t length)
{
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max(length, default_window_bytes), size_ - offset));
    if (buffer_.size() < wanted)
        buffer_.resize(wanted);
    window_length_ = 0;
    if (!file_.read_at(offset, buffer_.data(), wanted))
        return false;
    window_offset_ = offset;
    window_length_ = wanted;
    return true;
}

bool file_window::write(std::uint64_t offset, const void* data, std::size_t length)
{
    if (!file_.is_open() || offset > size_ || length > size_ - offset)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!file_.write_at(offset, bytes, length)) {
        window_length_ = 0;
        return false;
    }
    // Keep the overlapping part of the window in step with the file.
    const std::uint64_t lo = std::max(offset, window_offset_);
    const std::uint64_t hi = std::min(offset + length, window_offset_ + window_length_);
    if (lo < hi)
        std::memcpy(buffer_.data() + (lo - window_offset_), bytes + (lo - offset), hi - lo);
    return true;
}

} // namespace zv::foundation
