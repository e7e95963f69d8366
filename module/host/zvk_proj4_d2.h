/* zvk_proj4_d2: coordinate systems given as PROJ.4 definitions, reprojection
 * of 2-D vertices, geodesic lengths and the text form of coordinates. */
#pragma once

#include "host/zv_host_api.h"
#include "host/zvk_basic.h"
#include "host/zvk_prg.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

ZV_HOST_EXTERN_C_BEGIN

/* Opaque reprojector handle. */
typedef struct zv_rpj_d2* zv_rpj_d2_t;

/* A new reprojector that is not yet usable; null when out of memory. */
ZV_HOST_API zv_rpj_d2_t zv_rpj_d2_create(void);
/* Destroys a reprojector. A null handle is ignored. */
ZV_HOST_API void zv_rpj_d2_destroy(zv_rpj_d2_t reprojector);

/* Makes the reprojector transform from the source to the target system, both
 * PROJ.4 definitions. True when usable; on false the reprojector is unusable
 * until the next successful call. A vertical, geocentric or time system is
 * refused: a vertex holds a horizontal position. Transformations already
 * built for the same pair of definitions are reused. */
ZV_HOST_API bool zv_rpj_d2_init_w(zv_rpj_d2_t reprojector, const char16_t* source_definition,
                                  const char16_t* target_definition);

/* Transforms the vertex in place. A geographic system has x the longitude and
 * y the latitude, both in degrees. False (vertex unchanged) when the
 * reprojector is not usable or the point cannot be transformed. */
ZV_HOST_API bool zv_rpj_d2_apply_vtx(zv_rpj_d2_t reprojector, zv_vertex_d2* vertex);

/* Reads the .prj file beside a data file (the path with its extension
 * replaced by ".prj", found like the data file's other companions) as WKT
 * and delivers its PROJ.4 definition through the adapter (wide). A system
 * without a shift to WGS84 of its own is bound to WGS84 with the Helmert
 * transformation that suits the extent of the .shp beside it, so the
 * definition carries +towgs84. False, delivering nothing, when there is no
 * such file or it cannot be understood. */
ZV_HOST_API bool zv_pj4_load_ex(const char16_t* data_file_path, zv_string_adp_t adapter);

/* Geodesic length in metres, on the ellipsoid of the given coordinate system,
 * of every part of the object vector (the sum over all parts).
 * In a geographic system a segment is the geodesic between its vertices. In a
 * projected system a segment is the straight line of the projection: it is
 * halved at most max_halvings times (6.0: up to 64 pieces) and halving stops
 * once the length changes by less than tolerance_m metres (0.1).
 * Returns 0 on success with the length in *length; otherwise *length is left
 * alone and the result is one of the ZV_PRECISION_ codes. */
enum {
    ZV_PRECISION_OK = 0,
    ZV_PRECISION_BAD_ARGUMENT = 1,   /* null pointer, halvings outside 0..20, tolerance <= 0 */
    ZV_PRECISION_BAD_DEFINITION = 2, /* the definition is not understood */
    ZV_PRECISION_BAD_VERTEX = 3      /* a vertex cannot be taken to the ellipsoid */
};
ZV_HOST_API int zv_precision_calc_length(zv_ov_d2_t vector, const char16_t* definition, double max_halvings,
                                         double tolerance_m, double* length);

/* Delivers a coordinate through the adapter (narrow) as decimal text with '.'
 * as separator, whatever the locale: nine decimals (1e-9 degree, about 0.1 mm)
 * when that fits in 20 characters, fewer for very large values. A value that
 * is not finite or cannot fit delivers an empty text and returns false. */
ZV_HOST_API bool zv_geocoord_tostring(double value, zv_string_adp_t adapter);

ZV_HOST_EXTERN_C_END
