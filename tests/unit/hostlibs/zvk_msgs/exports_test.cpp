#include "host/zvk_msgs.h"
#include "kit/shown_messages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using zv::test::shown_message;

// Each function's kind reaching the host's sink is the host's message test
// (tests/unit/hostapp); here a null text arrives as empty, a throwing sink
// does not let the exception escape, and without a sink the text goes to
// standard error in UTF-8.
TEST(MessageSink, NullTextThrowingSinkAndStandardErrorInUtf8)
{
    {
        const zv::test::shown_messages sink;
        zv_show_werror(nullptr);
        EXPECT_EQ(sink.boxes, (std::vector<shown_message>{{ZV_MSG_ERROR, u""}}));
    }
    zv_msgs_set_sink([](zv_msg_kind, const char16_t*, void*) { throw std::runtime_error("sink failed"); },
                     nullptr);
    EXPECT_NO_THROW(zv_show_wmessage(u"x"));
    zv_msgs_set_sink(nullptr, nullptr);
    ::testing::internal::CaptureStderr();
    zv_show_wwarning(u"Нет");
    zv_show_wmessage(u"Done!");
    zv_show_werror(u"E");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Warning: \xD0\x9D\xD0\xB5\xD1\x82\n"
                                                        "Information: Done!\nError: E\n");
}

} // namespace
