/* zvk_gc64lib: geometry tables (the objects of a shapefile with their source
 * record attributes) and the polygon operations that work on them. */
#pragma once

#include "host/zv_host_api.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

ZV_HOST_EXTERN_C_BEGIN

/* Opaque geometry table. Every object of the table remembers the number of
 * the source record it came from (0-based), its part number within that record
 * (0-based) and that record's attributes. */
typedef struct zv_gc_geom_table* zv_gc_geom_table_t;

/* A new empty table; null when out of memory. */
ZV_HOST_API zv_gc_geom_table_t zv_gc_geom_table_create(void);

/* Destroys any object made by this library (today: geometry tables).
 * A null object is ignored. */
ZV_HOST_API void zv_gc_obj_destroy(void* object);

/* Replaces the table's content with the shapefile at path (.shp; the .shx and
 * .dbf beside it; the .prj and .cpg beside it are kept for saving). Any shape
 * type loads; Z and M values are dropped. On failure (null argument, a missing
 * or damaged file) returns false and leaves the table empty. */
ZV_HOST_API bool zv_gc_geom_table_load_shp(zv_gc_geom_table_t table, const char16_t* path);

/* Writes the table as a shapefile: .shp, .shx and .dbf at path with its
 * extension replaced, and the source's .prj and .cpg. Each record carries
 * SRC_OBJ, SRC_PART, the source record's attributes and the fields the
 * operation that made the table adds. Complete or nothing: on failure no
 * output file is left behind and false is returned. */
ZV_HOST_API bool zv_gc_geom_table_save_shp(zv_gc_geom_table_t table, const char16_t* path);

/* Replaces target's content with source's objects split into single parts:
 * a polygon becomes one object per outer ring together with the holes inside
 * that ring; a line one object per part; points, multipoints and multipatches
 * are copied.
 * source and target may be the same table. False on a null argument. */
ZV_HOST_API bool zv_gc_geom_table_split_parts(zv_gc_geom_table_t source, zv_gc_geom_table_t target);

/* Replaces long_axes and short_axes with one two-vertex polyline per polygon of
 * polygons: the lines through the polygon's centroid along its major and minor
 * principal axes of inertia, cut by the polygon's oriented rectangle. Field
 * LENGTH. Objects that are not polygons are passed over. False on a null
 * argument or when the same table is given twice. */
ZV_HOST_API bool zv_gc_geom_table_pgn_oriented_ls_axes2d(zv_gc_geom_table_t polygons,
                                                         zv_gc_geom_table_t long_axes,
                                                         zv_gc_geom_table_t short_axes);

/* Replaces rectangles with one rectangle per polygon of polygons: the smallest
 * rectangle aligned with the polygon's principal axes that holds every vertex
 * (one clockwise closed ring). Fields LENGTH and WIDTH (the long and the short
 * side), AZIMUTH (of the long side, degrees clockwise from grid north, in
 * [0, 180)) and AREA. Objects that are not polygons are passed over. False on
 * a null argument. */
ZV_HOST_API bool zv_gc_geom_table_pgn_oriented_rect2d(zv_gc_geom_table_t polygons,
                                                      zv_gc_geom_table_t rectangles);

/* Number of objects in the table; 0 for a null table. */
ZV_HOST_API uint32_t zv_gc_geom_table_get_size(zv_gc_geom_table_t table);

ZV_HOST_EXTERN_C_END
