// Loads and stores of fixed-size numbers in a given byte order, from and to
// unaligned bytes: the file formats (.shp, .shx, .dbf, .pgrid, ZIP) are
// little-endian but for the .shp/.shx big-endian header words.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace zv::foundation
{

namespace detail
{

template <class T> T load(const unsigned char* bytes, std::endian order) noexcept
{
    static_assert(std::is_trivially_copyable_v<T>);
    unsigned char copy[sizeof(T)];
    std::memcpy(copy, bytes, sizeof(T));
    if (order != std::endian::native) {
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) {
            const unsigned char swapped = copy[i];
            copy[i] = copy[sizeof(T) - 1 - i];
            copy[sizeof(T) - 1 - i] = swapped;
        }
    }
    T value;
    std::memcpy(&value, copy, sizeof(T));
    return value;
}

template <class T> void store(unsigned char* bytes, T value, std::endian order) noexcept
{
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(bytes, &value, sizeof(T));
    if (order != std::endian::native) {
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) {
            const unsigned char swapped = bytes[i];
            bytes[i] = bytes[sizeof(T) - 1 - i];
            bytes[sizeof(T) - 1 - i] = swapped;
        }
    }
}

} // namespace detail

template <class T> T load_le(const unsigned char* bytes) noexcept
{
    return detail::load<T>(bytes, std::endian::little);
}

template <class T> T load_be(const unsigned char* bytes) noexcept
{
    return detail::load<T>(bytes, std::endian::big);
}

template <class T> void store_le(unsigned char* bytes, T value) noexcept
{
    detail::store(bytes, value, std::endian::little);
}

template <class T> void store_be(unsigned char* bytes, T value) noexcept
{
    detail::store(bytes, value, std::endian::big);
}

// Appends value in the given byte order to a byte string (a file image that
// is built in memory before it is written).
template <class T, class Bytes> void append(Bytes& out, T value, std::endian order)
{
    unsigned char bytes[sizeof(T)];
    detail::store(bytes, value, order);
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

template <class T, class Bytes> void append_le(Bytes& out, T value)
{
    append(out, value, std::endian::little);
}

template <class T, class Bytes> void append_be(Bytes& out, T value)
{
    append(out, value, std::endian::big);
}

} // namespace zv::foundation
