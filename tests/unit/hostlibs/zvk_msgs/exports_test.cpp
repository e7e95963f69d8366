#include "host/zvk_msgs.h"
#include "kit/shown_messages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using zv::test::shown_message;

// Each function hands its text and kind to the sink; a throwing sink does not
// let the exception escape; without a sink the text goes to standard error.
TEST(MessageSink, TextAndKindGoToTheSinkOrWithoutOneToStandardErrorInUtf8)
{
    {
        const zv::test::shown_messages sink;
        zv_show_wmessage(u"Выполнено!");
        zv_show_wwarning(u"Check them, please.");
        zv_show_werror(u"Errors!");
        zv_show_werror(nullptr);
        EXPECT_EQ(sink.boxes, (std::vector<shown_message>{{ZV_MSG_INFORMATION, u"Выполнено!"},
                                                          {ZV_MSG_WARNING, u"Check them, please."},
                                                          {ZV_MSG_ERROR, u"Errors!"},
                                                          {ZV_MSG_ERROR, u""}}));
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
