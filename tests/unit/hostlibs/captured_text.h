// A string adapter that keeps what a host function delivers through it, for
// the host-library tests. Header-only; the tests that use it link zvk_basic.
#pragma once

#include "host/zvk_basic.h"

#include <string>

namespace zv::test
{

class captured_text
{
  public:
    captured_text() : handle_(zv_string_adp_create(&narrow_cb, &wide_cb, this)) {}
    ~captured_text() { zv_string_adp_destroy(handle_); }
    captured_text(const captured_text&) = delete;
    captured_text& operator=(const captured_text&) = delete;

    zv_string_adp_t handle() const { return handle_; }

    // The last text delivered each way (a null text is kept as empty), and
    // how many deliveries there were. Tests may preset them.
    std::string narrow;
    std::u16string wide;
    int calls = 0;

  private:
    static void narrow_cb(const char* text, void* self)
    {
        auto* me = static_cast<captured_text*>(self);
        me->narrow = text != nullptr ? text : "";
        ++me->calls;
    }
    static void wide_cb(const char16_t* text, void* self)
    {
        auto* me = static_cast<captured_text*>(self);
        me->wide = text != nullptr ? text : u"";
        ++me->calls;
    }

    zv_string_adp_t handle_;
};

} // namespace zv::test
