#include "host/zvk_msgs.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{

struct shown_box {
    zv_msg_kind kind;
    std::u16string text;
};

void record(zv_msg_kind kind, const char16_t* text, void* context)
{
    static_cast<std::vector<shown_box>*>(context)->push_back({kind, text});
}

class MessageSink : public ::testing::Test
{
  protected:
    void SetUp() override { zv_msgs_set_sink(&record, &shown); }
    void TearDown() override { zv_msgs_set_sink(nullptr, nullptr); }
    std::vector<shown_box> shown;
};

TEST_F(MessageSink, EachFunctionHandsItsTextAndKindToTheSink)
{
    zv_show_wmessage(u"Выполнено!");
    zv_show_wwarning(u"Check them, please.");
    zv_show_werror(u"Errors!");
    zv_show_werror(nullptr);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].kind, ZV_MSG_INFORMATION);
    EXPECT_EQ(shown[0].text, u"Выполнено!");
    EXPECT_EQ(shown[1].kind, ZV_MSG_WARNING);
    EXPECT_EQ(shown[1].text, u"Check them, please.");
    EXPECT_EQ(shown[2].kind, ZV_MSG_ERROR);
    EXPECT_EQ(shown[2].text, u"Errors!");
    EXPECT_EQ(shown[3].text, u"") << "null text arrives as empty text";
}

TEST_F(MessageSink, ThrowingSinkDoesNotEscape)
{
    zv_msgs_set_sink([](zv_msg_kind, const char16_t*, void*) { throw std::runtime_error("sink failed"); },
                     nullptr);
    EXPECT_NO_THROW(zv_show_wmessage(u"x"));
}

TEST(MessageStderr, WithoutSinkOrAfterItsRemovalTheMessageGoesToStandardError)
{
    zv_msgs_set_sink(nullptr, nullptr);
    ::testing::internal::CaptureStderr();
    zv_show_wwarning(u"Параметры заданы неверно");
    zv_show_wmessage(u"Done!");
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, "Warning: \xD0\x9F\xD0\xB0\xD1\x80\xD0\xB0\xD0\xBC\xD0\xB5\xD1\x82\xD1\x80\xD1\x8B "
                       "\xD0\xB7\xD0\xB0\xD0\xB4\xD0\xB0\xD0\xBD\xD1\x8B "
                       "\xD0\xBD\xD0\xB5\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBD\xD0\xBE\n"
                       "Information: Done!\n");

    // Removing a sink returns to standard error.
    std::vector<shown_box> shown;
    zv_msgs_set_sink(&record, &shown);
    zv_msgs_set_sink(nullptr, &shown);
    ::testing::internal::CaptureStderr();
    zv_show_werror(u"E");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: E\n");
    EXPECT_TRUE(shown.empty());
}

} // namespace
