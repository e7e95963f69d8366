// Where the module's message boxes go in this host: the host installs itself
// as the sink of zvk_msgs and keeps every message shown, in order.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "host/zvk_msgs.h"
#include "zvhost_api.h"

namespace zv::hostapp
{

struct ZVHOST_API shown_message {
    zv_msg_kind kind;
    std::u16string text;

    friend bool operator==(const shown_message&, const shown_message&) = default;
};

// Installed while it lives. Only one sink is installed at a time: the newest
// one receives the messages, and a sink that goes removes itself only if it
// is still the installed one.
class ZVHOST_API message_sink
{
  public:
    message_sink();
    ~message_sink();
    message_sink(const message_sink&) = delete;
    message_sink& operator=(const message_sink&) = delete;

    // Also prints each message, as "<kind>: <text>" in UTF-8, to `echo`
    // (null: only keep it).
    void set_echo(std::ostream* echo) noexcept { echo_ = echo; }

    const std::vector<shown_message>& messages() const noexcept { return messages_; }

  private:
    static void receive(zv_msg_kind kind, const char16_t* text, void* context);

    std::vector<shown_message> messages_;
    std::ostream* echo_ = nullptr;
};

// "information", "warning" or "error".
ZVHOST_API const char* kind_name(zv_msg_kind kind) noexcept;

} // namespace zv::hostapp
