// Little-endian loads and stores of the .pgrid file's numbers.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace zv::pgrid
{

template <typename T> T load_le(const unsigned char* p)
{
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, p, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) {
            std::swap(bytes[i], bytes[sizeof(T) - 1 - i]);
        }
    }
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}

template <typename T> void store_le(unsigned char* p, T value)
{
    std::memcpy(p, &value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) {
            std::swap(p[i], p[sizeof(T) - 1 - i]);
        }
    }
}

} // namespace zv::pgrid
