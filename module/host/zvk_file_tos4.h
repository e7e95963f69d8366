/* zvk_file_tos4: point-grid data files (.pgrid): objects with per-object
 * properties. Values pass as 32-bit floats; a property's no-data value is
 * the quiet NaN 0x7FC00000 on this side. */
#pragma once

#include "host/zv_host_api.h"
#include "host/zvk_basic.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

ZV_HOST_EXTERN_C_BEGIN

/* Opaque handles; a property handle must be closed before its file. */
typedef struct zv_tos4_file* zv_tos4_file_t;
typedef struct zv_tos4_prop* zv_tos4_prop_t;

/* Open modes. */
enum {
    ZV_TOS4_OPEN_WRITE = 0, /* read and write values in place */
    ZV_TOS4_OPEN_LIST = 1   /* read only */
};

/* Opens a data file; null when it is missing, truncated or inconsistent, or
 * the mode is unknown. */
ZV_HOST_API zv_tos4_file_t zv_tos4_file_open_w(const char16_t* path, int mode);
/* Closes the file. A null handle is ignored. */
ZV_HOST_API void zv_tos4_file_close(zv_tos4_file_t file);

/* Number of properties; 0 for a null handle. */
ZV_HOST_API uint32_t zv_tos4_get_prop_count(zv_tos4_file_t file);
/* Deliver a property's name respectively caption (wide); false, delivering
 * nothing, when the index is out of range. */
ZV_HOST_API bool zv_tos4_get_prop_name_w(zv_tos4_file_t file, uint32_t property, zv_string_adp_t adapter);
ZV_HOST_API bool zv_tos4_get_prop_caption_w(zv_tos4_file_t file, uint32_t property, zv_string_adp_t adapter);
/* Index of the property of that exact name; -1 when absent. */
ZV_HOST_API int32_t zv_tos4_get_index_by_name_w(zv_tos4_file_t file, const char16_t* name);

/* Opens a property for reading and writing its values; null when the index
 * is out of range. */
ZV_HOST_API zv_tos4_prop_t zv_tos4_prop_open(zv_tos4_file_t file, int32_t index);
ZV_HOST_API void zv_tos4_prop_close(zv_tos4_prop_t property);

/* Number of objects (values per property). */
ZV_HOST_API uint64_t zv_tos4_get_object_count_64(zv_tos4_file_t file);

/* Reads count values from object first on into buffer (capacity
 * buffer_count values). A stored no-data value becomes the quiet NaN, unless
 * keep_nodata is true, when it comes as the stored number. options must be 0.
 * Returns the number of values read: count on success, 0 on failure (range
 * outside the objects, buffer too small, read error). */
ZV_HOST_API uint64_t zv_tos4_prop_read_64(zv_tos4_prop_t property, uint64_t first, uint64_t count,
                                          float* buffer, uint64_t buffer_count, bool keep_nodata,
                                          uint32_t options);

/* Writes count values from object first on, in place in the file. A NaN is
 * stored as the property's no-data value, as is a value the stored type
 * cannot hold (out of range; integers are rounded to nearest). With
 * keep_nodata true a NaN is still stored as no-data. options must be 0.
 * Returns count on success, 0 on failure (file opened for listing, range
 * outside the objects, write error). */
ZV_HOST_API uint64_t zv_tos4_prop_write_64(zv_tos4_prop_t property, uint64_t first, const float* buffer,
                                           uint64_t count, bool keep_nodata, uint32_t options);

ZV_HOST_EXTERN_C_END
