// The visitors through which strings and pixel blocks cross the boundary: the
// receiver passes a visitor, the sender calls it with data valid only during
// the call.
#pragma once

#include <cstdint>
#include <string>

#include "protocol/glue.h"

namespace zv
{

namespace iface
{
struct string_visitor;
}

class string_visitor_impl : public impl_root<iface::string_visitor>
{
  public:
    // `text` is zero-terminated UTF-16.
    virtual void visit(const char16_t* /*text*/) {}
};

ZV_INTERFACE(string_visitor, "zv_string_visitor_interface_0", 2, &string_visitor_impl::visit);

// Stores the visited text into a caller's string, replacing its contents.
// Used on the stack around a local string:
//   std::u16string text;
//   stdwstring_visitor visitor(text);
//   call<...>(host_object, ..., make_ref<iface::string_visitor>(&visitor));
class stdwstring_visitor : public string_visitor_impl
{
  public:
    explicit stdwstring_visitor(std::u16string& target) : target_(&target) {}

    void visit(const char16_t* text) override
    {
        if (text == nullptr) {
            target_->clear();
        } else {
            target_->assign(text);
        }
    }

  private:
    std::u16string* target_;
};

namespace iface
{
struct thrice_interleaved_bytes_visitor;
}

// Byte of row r, column c, channel k: data + r*row_stride + c*column_stride +
// k*channel_stride; strides in bytes and may be negative.
class thrice_interleaved_bytes_visitor_impl : public impl_root<iface::thrice_interleaved_bytes_visitor>
{
  public:
    virtual void visit(std::int32_t /*rows*/, std::int32_t /*row_stride*/, std::int32_t /*columns*/,
                       std::int32_t /*column_stride*/, std::int32_t /*channels*/,
                       std::int32_t /*channel_stride*/, const std::uint8_t* /*data*/)
    {
    }
};

ZV_INTERFACE(thrice_interleaved_bytes_visitor, "zv_thrice_interleaved_bytes_visitor_interface_0", 2,
             &thrice_interleaved_bytes_visitor_impl::visit);

} // namespace zv
