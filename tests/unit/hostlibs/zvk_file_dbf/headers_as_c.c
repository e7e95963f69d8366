/* The two headers compiled as C: they must stand alone and lay their
 * structures out as C++ does. */
#include "host/zvk_file_dbf.h"
#include "host/zvk_file_shp.h"

#include <stddef.h>

size_t zv_c_field_desc_size(void);
size_t zv_c_record_header_size(void);
size_t zv_c_shape_type_offset(void);

size_t zv_c_field_desc_size(void)
{
    return sizeof(dbf_field_desc);
}

size_t zv_c_record_header_size(void)
{
    return sizeof(zv_shp_record_header);
}

size_t zv_c_shape_type_offset(void)
{
    return offsetof(zv_shp_record_header, shape_type);
}
