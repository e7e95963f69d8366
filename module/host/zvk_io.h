/* zvk_io: text helpers of the host's input/output library. */
#pragma once

#include "host/zv_host_api.h"
#include "host/zvk_basic.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

ZV_HOST_EXTERN_C_BEGIN

/* Delivers the text through the adapter (wide) with "&", "<", ">", '"' and
 * "'" replaced by "&amp;", "&lt;", "&gt;", "&quot;" and "&apos;". The input is
 * copied first, so the adapter may be bound to the string holding it. A null
 * text delivers an empty text. False when memory runs out (nothing
 * delivered). */
ZV_HOST_API bool zv_xml_quote_string(const char16_t* text, zv_string_adp_t adapter);

ZV_HOST_EXTERN_C_END
