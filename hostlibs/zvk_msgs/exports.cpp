// The exported C functions of zvk_msgs.
#include "message_sink.h"

extern "C" {

ZV_HOST_API void zv_msgs_set_sink(zv_msgs_sink_fn sink_fn, void* context)
{
    zv::zvk_msgs::install_sink(sink_fn, context);
}

ZV_HOST_API void zv_show_wmessage(const char16_t* text)
{
    zv::zvk_msgs::show(ZV_MSG_INFORMATION, text);
}

ZV_HOST_API void zv_show_wwarning(const char16_t* text)
{
    zv::zvk_msgs::show(ZV_MSG_WARNING, text);
}

ZV_HOST_API void zv_show_werror(const char16_t* text)
{
    zv::zvk_msgs::show(ZV_MSG_ERROR, text);
}

} // extern "C"
