/* zvk_file_shp: reading shapefiles (.shp with its .shx index). */
#pragma once

#include "host/zv_host_api.h"
#include "host/zvk_prg.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

ZV_HOST_EXTERN_C_BEGIN

/* Shape types of the published shapefile format. */
enum {
    ZV_SHP_NULL = 0,
    ZV_SHP_POINT = 1,
    ZV_SHP_POLYLINE = 3,
    ZV_SHP_POLYGON = 5,
    ZV_SHP_MULTIPOINT = 8,
    ZV_SHP_POINTZ = 11,
    ZV_SHP_POLYLINEZ = 13,
    ZV_SHP_POLYGONZ = 15,
    ZV_SHP_MULTIPOINTZ = 18,
    ZV_SHP_POINTM = 21,
    ZV_SHP_POLYLINEM = 23,
    ZV_SHP_POLYGONM = 25,
    ZV_SHP_MULTIPOINTM = 28,
    ZV_SHP_MULTIPATCH = 31
};

/* What zv_shp_file_get_obj tells about one record. The first field is the
 * record's own shape type; the record index ties the header to its record
 * for zv_shp_file_get_polypoint. */
typedef struct zv_shp_record_header {
    int32_t shape_type;            /* ZV_SHP_*; ZV_SHP_NULL for an empty record */
    uint32_t index;                /* 0-based record index */
    uint32_t part_count;           /* 1 for a point or multipoint record */
    uint32_t point_count;          /* vertices over all parts */
    double xmin, ymin, xmax, ymax; /* bounding box (the point itself for a point) */
} zv_shp_record_header;

/* Opaque shapefile handle. */
typedef struct zv_shp_file* zv_shp_file_t;

/* Opens the shapefile at path (the .shp; its .shx must lie beside it) for
 * reading. Both are found by name without regard to case, as on Windows.
 * read_only must be true: this library does not write shapefiles. Null when
 * the files are missing or their headers are damaged. */
ZV_HOST_API zv_shp_file_t zv_shp_file_open_w(const char16_t* path, bool read_only);
/* Closes the handle. A null handle is ignored. */
ZV_HOST_API void zv_shp_file_close(zv_shp_file_t file);

/* Shape type of the file (3 = polyline); -1 for a null handle. */
ZV_HOST_API int32_t zv_shp_file_get_type(zv_shp_file_t file);
/* Number of records; 0 for a null handle. */
ZV_HOST_API uint32_t zv_shp_file_get_no(zv_shp_file_t file);

/* Reads record index and fills *header. False (header unspecified) when the
 * index is out of range or the record is damaged. */
ZV_HOST_API bool zv_shp_file_get_obj(zv_shp_file_t file, uint32_t index, zv_shp_record_header* header);

/* Replaces the content of vector with the parts of the record that header
 * was filled for: one part per part of a polyline, polygon or multipatch,
 * one part holding every point of a point or multipoint record. x and y
 * only (z and m are not delivered). False, leaving the vector empty, for a
 * null record or a damaged one. */
ZV_HOST_API bool zv_shp_file_get_polypoint(zv_shp_file_t file, const zv_shp_record_header* header,
                                           zv_ov_d2_t vector);

ZV_HOST_EXTERN_C_END
