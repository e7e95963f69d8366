#include "pgrid_values.h"

#include "foundation/byte_order.h"

#include <bit>
#include <cmath>
#include <limits>

namespace zv::zvk_file_tos4
{

using foundation::load_le;
using foundation::store_le;

float nodata_float()
{
    return std::bit_cast<float>(std::uint32_t{0x7FC00000u});
}

double decode(stored_type type, const unsigned char* bytes)
{
    switch (type) {
    case stored_type::f32:
        return load_le<float>(bytes);
    case stored_type::f64:
        return load_le<double>(bytes);
    case stored_type::i32:
        return load_le<std::int32_t>(bytes);
    case stored_type::i16:
        return load_le<std::int16_t>(bytes);
    case stored_type::u8:
        return bytes[0];
    }
    return std::numeric_limits<double>::quiet_NaN();
}

void encode(stored_type type, double value, unsigned char* bytes)
{
    switch (type) {
    case stored_type::f32:
        store_le<float>(bytes, std::isnan(value) ? nodata_float() : static_cast<float>(value));
        break;
    case stored_type::f64:
        store_le<double>(bytes, std::isnan(value) ? std::numeric_limits<double>::quiet_NaN() : value);
        break;
    case stored_type::i32:
        store_le<std::int32_t>(bytes, static_cast<std::int32_t>(value));
        break;
    case stored_type::i16:
        store_le<std::int16_t>(bytes, static_cast<std::int16_t>(value));
        break;
    case stored_type::u8:
        bytes[0] = static_cast<unsigned char>(value);
        break;
    }
}

bool is_nodata(const property_info& property, double stored)
{
    // Any NaN is no-data, whatever no-data value the property declares.
    return std::isnan(stored) || stored == property.nodata;
}

float to_float(const property_info& property, double stored, bool keep_nodata)
{
    if (!is_nodata(property, stored)) {
        return static_cast<float>(stored);
    }
    return keep_nodata && !std::isnan(property.nodata) ? static_cast<float>(property.nodata) : nodata_float();
}

double from_float(const property_info& property, float value)
{
    if (std::isnan(value)) {
        return property.nodata;
    }
    double stored = value;
    if (property.type != stored_type::f32 && property.type != stored_type::f64) {
        stored = std::nearbyint(stored);
    }
    return holds_exactly(property.type, stored) ? stored : property.nodata;
}

} // namespace zv::zvk_file_tos4
