// The host's message sink, as the host libraries' message functions reach it.
// The registry is seen through the module's registration, the localizer, its
// service and the locator through the localizer handshake (bundle tests).
#include "host_objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "host/zvk_msgs.h"
#include "message_sink.h"

namespace zv::hostapp
{
namespace
{

TEST(HostMessages, NewestSinkKeepsAndEchoesEveryMessageBoxAndAnOlderOneLeavesItInstalled)
{
    auto older = std::make_unique<message_sink>();
    host h;
    std::ostringstream echo;
    h.messages().set_echo(&echo);
    zv_show_wmessage(u"Выполнено!");
    older.reset();
    zv_show_wwarning(u"");
    zv_show_werror(u"Errors!");
    const std::vector<shown_message> expected = {
        {ZV_MSG_INFORMATION, u"Выполнено!"}, {ZV_MSG_WARNING, u""}, {ZV_MSG_ERROR, u"Errors!"}};
    EXPECT_EQ(h.messages().messages(), expected);
    EXPECT_EQ(echo.str(), "information: Выполнено!\nwarning: \nerror: Errors!\n");
}

} // namespace
} // namespace zv::hostapp
