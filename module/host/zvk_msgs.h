/* zvk_msgs: the host's message boxes. The host application installs a sink
 * that shows them; without one they are printed to standard error. */
#pragma once

#include "host/zv_host_api.h"

ZV_HOST_EXTERN_C_BEGIN

/* Kind of a message box. */
typedef enum zv_msg_kind { ZV_MSG_INFORMATION = 0, ZV_MSG_WARNING = 1, ZV_MSG_ERROR = 2 } zv_msg_kind;

/* Shows one message: text (never null; an empty text for a null one), its
 * kind, and the context given when the sink was installed. Returns when the
 * box is closed. */
typedef void (*zv_msgs_sink_fn)(zv_msg_kind kind, const char16_t* text, void* context);

/* Installs the sink; a null function removes it (messages go to standard
 * error again). */
ZV_HOST_API void zv_msgs_set_sink(zv_msgs_sink_fn sink, void* context);

/* Modal information, warning and error boxes. */
ZV_HOST_API void zv_show_wmessage(const char16_t* text);
ZV_HOST_API void zv_show_wwarning(const char16_t* text);
ZV_HOST_API void zv_show_werror(const char16_t* text);

ZV_HOST_EXTERN_C_END
