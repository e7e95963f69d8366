// CRC-32 of the ZIP format: reflected polynomial 0xEDB88320, pre- and
// post-inverted, computed eight bytes per step (slicing by 8).
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv::zip
{

// Continues a CRC over more data; start with crc 0.
std::uint32_t crc32_update(std::uint32_t crc, const void* data, std::size_t size_bytes) noexcept;

} // namespace zv::zip
