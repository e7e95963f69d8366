// A string adapter that keeps the last text delivered each way (a null text
// as empty) and counts the deliveries; tests may preset them.
#pragma once

#include "host/zvk_basic.h"

#include <string>

namespace zv::test
{

struct captured_text {
    captured_text() = default;
    captured_text(const captured_text&) = delete;
    captured_text& operator=(const captured_text&) = delete;
    ~captured_text() { zv_string_adp_destroy(handle_); }
    zv_string_adp_t handle() const { return handle_; }

    std::string narrow;
    std::u16string wide;
    int calls = 0;

  private:
    static void narrow_cb(const char* text, void* self)
    {
        static_cast<captured_text*>(self)->narrow = text != nullptr ? text : "";
        ++static_cast<captured_text*>(self)->calls;
    }
    static void wide_cb(const char16_t* text, void* self)
    {
        static_cast<captured_text*>(self)->wide = text != nullptr ? text : u"";
        ++static_cast<captured_text*>(self)->calls;
    }
    zv_string_adp_t handle_ = zv_string_adp_create(&narrow_cb, &wide_cb, this);
};

} // namespace zv::test
