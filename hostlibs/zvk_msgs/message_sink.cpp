#include "message_sink.h"

#include "foundation/guard.h"
#include "foundation/paths.h"
#include "foundation/utf.h"

#include <cstdio>

namespace zv::zvk_msgs
{
namespace
{

// The installed sink. Messages come from the host's one user-interface thread,
// so this is plain memory.
struct installed_sink {
    zv_msgs_sink_fn fn = nullptr;
    void* context = nullptr;
};

installed_sink& sink()
{
    static installed_sink instance;
    return instance;
}

const char* kind_label(zv_msg_kind kind)
{
    switch (kind) {
    case ZV_MSG_WARNING:
        return "Warning";
    case ZV_MSG_ERROR:
        return "Error";
    default:
        return "Information";
    }
}

} // namespace

void show(zv_msg_kind kind, const char16_t* text) noexcept
{
    const char16_t* shown = text == nullptr ? u"" : text;
    // A sink that throws, or no memory for the line: the box is lost.
    zv::foundation::guarded_void([&] {
        const installed_sink current = sink();
        if (current.fn != nullptr) {
            current.fn(kind, shown, current.context);
            return;
        }
        const std::string line = stderr_line(kind, shown);
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    });
}

void install_sink(zv_msgs_sink_fn fn, void* context) noexcept
{
    sink() = {fn, fn == nullptr ? nullptr : context};
}

std::string stderr_line(zv_msg_kind kind, const char16_t* text)
{
    std::string line = kind_label(kind);
    line += ": ";
    line += zv::foundation::to_utf8(text == nullptr ? u"" : text);
    line += '\n';
    return line;
}

} // namespace zv::zvk_msgs
