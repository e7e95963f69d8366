// Decoding of one shape file record (its content, after the 8-byte record
// header) into our record header and its parts. Every count and offset is
// checked against the record's length, so a damaged record is refused, never
// read past.
#pragma once

#include "host/zvk_file_shp.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zv::zvk_file_shp
{

// A decoded record: the vertices of all parts in a row and where each part
// starts (starts.size() == header.part_count).
struct record {
    zv_shp_record_header header{};
    std::vector<zv_vertex_d2> vertices;
    std::vector<std::uint32_t> starts;
};

// Decodes content (content_bytes long, starting with the shape type) of
// record index into out. False when the content is damaged or of a shape
// type this library does not know.
bool decode_record(const unsigned char* content, std::size_t content_bytes, std::uint32_t index, record& out);

} // namespace zv::zvk_file_shp
