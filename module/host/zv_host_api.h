/* Linkage of the host libraries' C functions. The module imports them; a host
 * library exports them while it is being built (ZV_HOST_BUILDING_LIBRARY). */
#pragma once

#if defined(_WIN32)
#if defined(ZV_HOST_BUILDING_LIBRARY)
#define ZV_HOST_API __declspec(dllexport)
#else
#define ZV_HOST_API __declspec(dllimport)
#endif
#else
#if defined(ZV_HOST_BUILDING_LIBRARY)
#define ZV_HOST_API __attribute__((visibility("default")))
#else
#define ZV_HOST_API
#endif
#endif

#ifdef __cplusplus
#define ZV_HOST_EXTERN_C_BEGIN extern "C" {
#define ZV_HOST_EXTERN_C_END }
#else
#define ZV_HOST_EXTERN_C_BEGIN
#define ZV_HOST_EXTERN_C_END
#endif

/* Wide text is UTF-16 on every platform. */
#ifdef __cplusplus
/* char16_t is a keyword */
#else
#include <uchar.h>
#endif
#include <stdint.h>
