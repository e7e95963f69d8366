// The colour-key visitor: stands between a picture's sender and the visitor
// that asked for it, and turns the picture's key colour into transparency.
#pragma once

#include <cstdint>

#include "protocol/visitors.h"

namespace zv::detail
{

// Wraps a thrice_interleaved_bytes_visitor. A one- or three-channel picture
// is handed on as four channels (blue, green, red, alpha) in a new top-down
// block: pixels of the key colour, that of the first pixel of the last row,
// become 0, 0, 0, 0 and the others opaque (a single channel becomes grey).
// Pictures of any other channel count pass unchanged; when the new block
// cannot be had, nothing is handed on.
class key_visitor : public thrice_interleaved_bytes_visitor_impl
{
  public:
    explicit key_visitor(interface_ref wrapped) noexcept : wrapped_(wrapped) {}

    void visit(std::int32_t rows, std::int32_t row_stride, std::int32_t columns, std::int32_t column_stride,
               std::int32_t channels, std::int32_t channel_stride, const std::uint8_t* data) override;

  private:
    interface_ref wrapped_;
};

} // namespace zv::detail
