#include "message_sink.h"
#include "foundation/guard.h"

#include "foundation/paths.h"
#include "foundation/utf.h"

namespace zv::hostapp
{
namespace
{

// The sink installed last by this library, so that an older one going away
// does not remove a newer one.
message_sink* installed = nullptr;

} // namespace

message_sink::message_sink()
{
    installed = this;
    zv_msgs_set_sink(&message_sink::receive, this);
}

message_sink::~message_sink()
{
    if (installed != this)
        return;
    installed = nullptr;
    zv_msgs_set_sink(nullptr, nullptr);
}

// Called from a C library: nothing may escape.
void message_sink::receive(zv_msg_kind kind, const char16_t* text, void* context)
{
    foundation::guarded_void([&] {
        auto* self = static_cast<message_sink*>(context);
        self->messages_.push_back({kind, text != nullptr ? std::u16string(text) : std::u16string()});
        if (self->echo_ != nullptr)
            *self->echo_ << kind_name(kind) << ": " << foundation::to_utf8(self->messages_.back().text)
                         << '\n';
    });
}

const char* kind_name(zv_msg_kind kind) noexcept
{
    switch (kind) {
    case ZV_MSG_INFORMATION:
        return "information";
    case ZV_MSG_WARNING:
        return "warning";
    case ZV_MSG_ERROR:
        return "error";
    }
    return "message";
}

} // namespace zv::hostapp
