// Conversion of property values between their stored type, the doubles that
// hold them exactly, and the 32-bit floats of the host functions.
#pragma once

#include "pgrid_format.h"

namespace zv::zvk_file_tos4
{

// The quiet NaN 0x7FC00000 that stands for no-data among floats.
float nodata_float();

// A stored value as a double (exact for every stored type).
double decode(stored_type type, const unsigned char* bytes);
// Stores a value the type holds exactly (holds_exactly), or a NaN in a
// float type as the canonical quiet NaN.
void encode(stored_type type, double value, unsigned char* bytes);

// Whether a stored value (as decoded) is the property's no-data value.
bool is_nodata(const property_info& property, double stored);

// The float handed out for a stored value: no-data becomes nodata_float()
// unless keep_nodata is set.
float to_float(const property_info& property, double stored, bool keep_nodata);
// The stored value for a float handed in: a NaN, or a value the type cannot
// hold after rounding integers to nearest (ties to even), becomes no-data.
double from_float(const property_info& property, float value);

} // namespace zv::zvk_file_tos4
