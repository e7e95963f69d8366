// A picture named by an image id; its pixels are loaded at each visit.
#pragma once

#include <cstdint>

#include "protocol/dialog_interfaces.h"

namespace zv::toolkit
{

class bitmap final : public bitmap_impl
{
  public:
    explicit bitmap(std::int32_t image) noexcept : image_(image) {}
    bitmap(const bitmap&) = delete;
    bitmap& operator=(const bitmap&) = delete;

    std::uint32_t width() override { return width_; }
    std::uint32_t height() override { return height_; }
    void pixels(interface_ref pixel_visitor) override;

  private:
    std::int32_t image_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
};

} // namespace zv::toolkit
