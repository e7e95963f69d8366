// Records the host's message boxes (zvk_msgs) shown while it lives, in order,
// instead of letting them go to standard error.
#pragma once

#include "host/zvk_msgs.h"

#include <string>
#include <vector>

namespace zv::test
{

struct shown_message {
    zv_msg_kind kind;
    std::u16string text;
    bool operator==(const shown_message&) const = default;
};

class shown_messages
{
  public:
    shown_messages() { zv_msgs_set_sink(&record, this); }
    ~shown_messages() { zv_msgs_set_sink(nullptr, nullptr); }
    shown_messages(const shown_messages&) = delete;
    shown_messages& operator=(const shown_messages&) = delete;

    std::vector<shown_message> boxes;

  private:
    static void record(zv_msg_kind kind, const char16_t* text, void* self)
    {
        static_cast<shown_messages*>(self)->boxes.push_back({kind, text});
    }
};

} // namespace zv::test
