// The fixed parts of the shape file layout that the reader and the writer
// share: the 100-byte file header of the .shp and the .shx, the 8-byte record
// header, and the shape types. Lengths in the headers count 16-bit words.
#pragma once

#include "host/zvk_file_shp.h"

#include <cstddef>
#include <cstdint>

namespace zv::zvk_file_shp
{

inline constexpr std::size_t file_header_bytes = 100;
inline constexpr std::size_t record_header_bytes = 8; // record number, content length (big-endian)
inline constexpr std::size_t index_entry_bytes = 8;   // offset, content length (big-endian)
inline constexpr std::int32_t file_code = 9994;       // big-endian at 0
inline constexpr std::int32_t file_version = 1000;    // little-endian at 28

// Byte offsets inside the file header.
inline constexpr std::size_t length_offset = 24; // file length in words, big-endian
inline constexpr std::size_t version_offset = 28;
inline constexpr std::size_t type_offset = 32;
inline constexpr std::size_t bounds_offset = 36; // xmin, ymin, xmax, ymax (then z and m ranges)

constexpr bool is_shape_type(std::int32_t type)
{
    switch (type) {
    case ZV_SHP_NULL:
    case ZV_SHP_POINT:
    case ZV_SHP_POLYLINE:
    case ZV_SHP_POLYGON:
    case ZV_SHP_MULTIPOINT:
    case ZV_SHP_POINTZ:
    case ZV_SHP_POLYLINEZ:
    case ZV_SHP_POLYGONZ:
    case ZV_SHP_MULTIPOINTZ:
    case ZV_SHP_POINTM:
    case ZV_SHP_POLYLINEM:
    case ZV_SHP_POLYGONM:
    case ZV_SHP_MULTIPOINTM:
    case ZV_SHP_MULTIPATCH:
        return true;
    default:
        return false;
    }
}

} // namespace zv::zvk_file_shp
