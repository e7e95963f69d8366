#include "zip/zip_output.h"

#include <cstring>
#include <new>

namespace zv::zip
{

void ZipOutput::attach_file(platform::file_handle file, bool owned) noexcept
{
    file_ = file;
    owns_file_ = owned;
    can_seek_ = platform::file_can_seek(file);
}

void ZipOutput::attach_memory(std::uint8_t* base, std::uint32_t capacity) noexcept
{
    memory_ = base;
    capacity_ = capacity;
    position_ = 0;
    can_seek_ = true;
}

bool ZipOutput::allocate_memory(std::uint32_t capacity) noexcept
{
    owned_memory_.reset(new (std::nothrow) std::uint8_t[capacity]);
    if (!owned_memory_) {
        return false;
    }
    attach_memory(owned_memory_.get(), capacity);
    return true;
}

void ZipOutput::set_sticky_error(std::uint32_t code) noexcept
{
    if (sticky_ == zr_ok) {
        sticky_ = code;
    }
}

std::uint32_t ZipOutput::put(const void* data, std::size_t size_bytes) noexcept
{
    if (sticky_ != zr_ok) {
        return sticky_;
    }
    if (memory_ != nullptr) {
        if (std::uint64_t{position_} + size_bytes >= capacity_) {
            set_sticky_error(zr_no_space);
            return sticky_;
        }
        std::memcpy(memory_ + position_, data, size_bytes);
        position_ += static_cast<std::uint32_t>(size_bytes);
        return zr_ok;
    }
    if (file_ == platform::invalid_file) {
        set_sticky_error(zr_not_initialised);
        return sticky_;
    }
    if (platform::write_file(file_, data, size_bytes) != static_cast<std::int64_t>(size_bytes)) {
        // A broken output cannot make a valid archive: later adds are refused.
        set_sticky_error(zr_write_failed);
        return sticky_;
    }
    return zr_ok;
}

std::uint32_t ZipOutput::seek(std::uint64_t offset_bytes) noexcept
{
    if (!can_seek_) {
        set_sticky_error(zr_unseekable);
        return sticky_;
    }
    if (memory_ != nullptr) {
        if (offset_bytes >= capacity_) {
            set_sticky_error(zr_no_space);
            return sticky_;
        }
        position_ = static_cast<std::uint32_t>(offset_bytes);
        return zr_ok;
    }
    if (!platform::seek_file(file_, offset_bytes)) {
        set_sticky_error(zr_unseekable);
        return sticky_;
    }
    return zr_ok;
}

void ZipOutput::release() noexcept
{
    if (owns_file_ && file_ != platform::invalid_file) {
        platform::close_file(file_);
    }
    file_ = platform::invalid_file;
    owns_file_ = false;
    owned_memory_.reset();
    memory_ = nullptr;
}

} // namespace zv::zip
