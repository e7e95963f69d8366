// The C declarations agree between C and C++: the field descriptor is the
// 14-byte record callers fill, and the record header starts with the shape
// type.
#include "host/zvk_file_dbf.h"
#include "host/zvk_file_shp.h"

#include <gtest/gtest.h>

#include <cstddef>

extern "C" std::size_t zv_c_field_desc_size(void);
extern "C" std::size_t zv_c_record_header_size(void);
extern "C" std::size_t zv_c_shape_type_offset(void);

TEST(HostHeadersAsC, LayoutsMatchCpp)
{
    EXPECT_EQ(zv_c_field_desc_size(), 14u);
    EXPECT_EQ(zv_c_field_desc_size(), sizeof(dbf_field_desc));
    EXPECT_EQ(offsetof(dbf_field_desc, type), 11u);
    EXPECT_EQ(offsetof(dbf_field_desc, length), 12u);
    EXPECT_EQ(offsetof(dbf_field_desc, decimals), 13u);
    EXPECT_EQ(zv_c_record_header_size(), sizeof(zv_shp_record_header));
    EXPECT_EQ(zv_c_shape_type_offset(), 0u);
}
