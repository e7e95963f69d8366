// Memory straight from the operating system: committed, zero-filled,
// read-write pages. Pixel blocks live in them so that a picture's memory goes
// back to the system as soon as the picture is gone, whatever the heap holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace zv::platform
{

// `size` bytes of fresh pages, or null when the system refuses or size is 0.
void* allocate_pages(std::size_t size) noexcept;

// Returns pages from allocate_pages (of that size) to the system; null is ignored.
void free_pages(void* pages, std::size_t size) noexcept;

// Owns one block of pages; moves, never copies. Empty when allocation failed.
class page_block
{
  public:
    page_block() noexcept = default;
    explicit page_block(std::size_t size) noexcept
        : data_(static_cast<std::uint8_t*>(allocate_pages(size))), size_(data_ != nullptr ? size : 0)
    {
    }
    page_block(page_block&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
    {
    }
    page_block& operator=(page_block&& other) noexcept
    {
        if (this != &other) {
            free_pages(data_, size_);
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    page_block(const page_block&) = delete;
    page_block& operator=(const page_block&) = delete;
    ~page_block() { free_pages(data_, size_); }

    std::uint8_t* data() const noexcept { return data_; }
    std::size_t size() const noexcept { return size_; }
    explicit operator bool() const noexcept { return data_ != nullptr; }

  private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace zv::platform
