/* zvk_prg: 2-D object vectors (a list of parts) and part vectors (a list of
 * vertices), and the segment interpolation used to read a graph. */
#pragma once

#include "host/zv_host_api.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

ZV_HOST_EXTERN_C_BEGIN

/* A 2-D vertex: x easting or longitude, y northing or latitude. */
typedef struct zv_vertex_d2 {
    double x;
    double y;
} zv_vertex_d2;

/* Opaque handles. A part belongs to its object vector and lives until the
 * vector is cleared or destroyed. */
typedef struct zv_ov_d2* zv_ov_d2_t;
typedef struct zv_pv_d2* zv_pv_d2_t;

/* A new empty object vector; null when out of memory. */
ZV_HOST_API zv_ov_d2_t zv_ov_d2_create(void);
/* Destroys the vector and its parts. A null vector is ignored. */
ZV_HOST_API void zv_ov_d2_destroy(zv_ov_d2_t vector);
/* Number of parts; 0 for a null vector. */
ZV_HOST_API uint32_t zv_ov_d2_get_size(zv_ov_d2_t vector);
/* The part at index, owned by the vector; null when out of range. */
ZV_HOST_API zv_pv_d2_t zv_ov_d2_get_pv_ptr(zv_ov_d2_t vector, uint32_t index);
/* Removes every part (handles to them become invalid). */
ZV_HOST_API void zv_ov_d2_clear(zv_ov_d2_t vector);
/* Appends a part holding a copy of count vertices (count may be 0).
 * Returns 0 when vector is null, vertices is null with count > 0, or memory
 * runs out; else 1. */
ZV_HOST_API int zv_ov_d2_add_part(zv_ov_d2_t vector, const zv_vertex_d2* vertices, uint32_t count);

/* Number of vertices of a part; 0 for a null part. */
ZV_HOST_API uint32_t zv_pv_d2_get_size(zv_pv_d2_t part);
/* The vertex at index by value; {0, 0} when the part is null or index is out
 * of range. */
ZV_HOST_API zv_vertex_d2 zv_pv_d2_get_vtx(zv_pv_d2_t part, uint32_t index);

/* Linear interpolation on the segment (x1, y1)-(x2, y2): when x lies in the
 * closed x-range of the segment, stores y at x into *y and returns true.
 * Returns false (leaving *y alone) when x is outside that range, when the
 * segment is vertical (x1 == x2), when any value is not finite or y is null. */
ZV_HOST_API bool zv_vec_d2_get_y(double x1, double y1, double x2, double y2, double x, double* y);

ZV_HOST_EXTERN_C_END
