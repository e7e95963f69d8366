/* zvk_basic: string adapters, the user-interface language and the basic
 * library's own string resources. */
#pragma once

#include "host/zv_host_api.h"

ZV_HOST_EXTERN_C_BEGIN

/* A string adapter receives text from a host function: the host calls exactly
 * one of the two callbacks, with the context given at creation, during the
 * call that delivers the text. Text may be null. */
typedef void (*zv_string_adp_narrow_fn)(const char* text, void* context);
typedef void (*zv_string_adp_wide_fn)(const char16_t* text, void* context);

/* Opaque adapter handle; null when it could not be created. */
typedef struct zv_string_adp* zv_string_adp_t;

ZV_HOST_API zv_string_adp_t zv_string_adp_create(zv_string_adp_narrow_fn narrow, zv_string_adp_wide_fn wide,
                                                 void* context);
ZV_HOST_API void zv_string_adp_destroy(zv_string_adp_t adapter);

/* Used by the host libraries to deliver text through an adapter: calls the
 * adapter's narrow respectively wide callback. A null adapter is ignored. */
ZV_HOST_API void zv_string_adp_assign(zv_string_adp_t adapter, const char* text);
ZV_HOST_API void zv_string_adp_assign_w(zv_string_adp_t adapter, const char16_t* text);

/* Identifier offset of the current user-interface language: 0 for Russian,
 * 50000 for English. */
ZV_HOST_API uint32_t zv_res_get_lng(void);

ZV_HOST_EXTERN_C_END
