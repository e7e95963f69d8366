#include "zip/crc32.h"

#include <array>
#include <cstring>

namespace zv::zip
{
namespace
{

using crc_tables = std::array<std::array<std::uint32_t, 256>, 8>;

// Table k gives the CRC contribution of a byte followed by k zero bytes.
constexpr crc_tables make_tables()
{
    crc_tables t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        }
        t[0][i] = c;
    }
    for (std::size_t k = 1; k < 8; ++k) {
        for (std::size_t i = 0; i < 256; ++i) {
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
        }
    }
    return t;
}

constexpr crc_tables tables = make_tables();

} // namespace

std::uint32_t crc32_update(std::uint32_t crc, const void* data, std::size_t size_bytes) noexcept
{
    const auto* p = static_cast<const unsigned char*>(data);
    std::uint32_t c = ~crc;
    while (size_bytes >= 8) {
        std::uint32_t lo = 0;
        std::uint32_t hi = 0;
        std::memcpy(&lo, p, 4); // the format is little-endian, as are our targets
        std::memcpy(&hi, p + 4, 4);
        lo ^= c;
        c = tables[7][lo & 0xFF] ^ tables[6][(lo >> 8) & 0xFF] ^ tables[5][(lo >> 16) & 0xFF] ^
            tables[4][lo >> 24] ^ tables[3][hi & 0xFF] ^ tables[2][(hi >> 8) & 0xFF] ^
            tables[1][(hi >> 16) & 0xFF] ^ tables[0][hi >> 24];
        p += 8;
        size_bytes -= 8;
    }
    while (size_bytes-- > 0) {
        c = (c >> 8) ^ tables[0][(c ^ *p++) & 0xFF];
    }
    return ~c;
}

} // namespace zv::zip
