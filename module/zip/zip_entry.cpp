#include "zip/zip_entry.h"

#include "zip/zip_format.h"

#include "foundation/utf.h"

#include <cstring>

namespace zv::zip
{

namespace
{

std::uint8_t* put16(std::uint8_t* p, std::uint32_t v) noexcept
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    return p + 2;
}

std::uint8_t* put32(std::uint8_t* p, std::uint32_t v) noexcept
{
    p = put16(p, v & 0xFFFF);
    return put16(p, v >> 16);
}

std::uint8_t* put_bytes(std::uint8_t* p, const void* data, std::size_t n) noexcept
{
    std::memcpy(p, data, n);
    return p + n;
}

// The fields the local and the central header share, from the method on.
std::uint8_t* put_common(std::uint8_t* p, const ZipEntryHeader& h) noexcept
{
    p = put16(p, h.method);
    p = put32(p, h.dos_time);
    p = put32(p, h.crc);
    p = put32(p, h.compressed_size);
    p = put32(p, h.uncompressed_size);
    return put16(p, h.name_length);
}

char16_t lower_ascii(char16_t c) noexcept
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

std::size_t encode_local_header(const ZipEntryHeader& h, std::uint8_t* out) noexcept
{
    std::uint8_t* p = put32(out, zip_local_header_signature);
    p = put16(p, h.version_needed);
    p = put16(p, h.local_flags);
    p = put_common(p, h);
    p = put16(p, h.local_extra_length);
    p = put_bytes(p, h.name, h.name_length);
    p = put_bytes(p, h.local_extra, h.local_extra_length);
    return static_cast<std::size_t>(p - out);
}

std::size_t encode_central_header(const ZipEntryHeader& h, std::uint8_t* out) noexcept
{
    std::uint8_t* p = put32(out, zip_central_header_signature);
    p = put16(p, h.version_made_by);
    p = put16(p, h.version_needed);
    p = put16(p, h.flags);
    p = put_common(p, h);
    p = put16(p, h.central_extra_length);
    p = put16(p, h.comment_length);
    p = put16(p, h.disk_start);
    p = put16(p, h.internal_attributes);
    p = put32(p, h.external_attributes);
    p = put32(p, h.local_header_offset);
    p = put_bytes(p, h.name, h.name_length);
    p = put_bytes(p, h.central_extra, h.central_extra_length);
    return static_cast<std::size_t>(p - out);
}

std::size_t encode_data_descriptor(const ZipEntryHeader& h, std::uint8_t* out) noexcept
{
    std::uint8_t* p = put32(out, zip_data_descriptor_signature);
    p = put32(p, h.crc);
    p = put32(p, h.compressed_size);
    p = put32(p, h.uncompressed_size);
    return static_cast<std::size_t>(p - out);
}

std::size_t encode_end_record(std::uint16_t entries, std::uint32_t directory_bytes,
                              std::uint32_t directory_offset, std::uint8_t* out) noexcept
{
    std::uint8_t* p = put32(out, zip_end_record_signature);
    p = put16(p, 0); // this disk
    p = put16(p, 0); // disk with the central directory
    p = put16(p, entries);
    p = put16(p, entries);
    p = put32(p, directory_bytes);
    p = put32(p, directory_offset);
    p = put16(p, 0); // comment length
    return static_cast<std::size_t>(p - out);
}

void set_time_extras(ZipEntryHeader& h, std::int64_t modification_unix, std::int64_t access_unix,
                     std::int64_t creation_unix) noexcept
{
    const auto low32 = [](std::int64_t t) {
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(t));
    };
    std::uint8_t* p = put16(h.local_extra, zip_extra_time_tag);
    p = put16(p, zip_local_extra_bytes - 4);
    *p++ = zip_extra_time_flags;
    p = put32(p, low32(modification_unix));
    p = put32(p, low32(access_unix));
    put32(p, low32(creation_unix));
    h.local_extra_length = zip_local_extra_bytes;

    p = put16(h.central_extra, zip_extra_time_tag);
    p = put16(p, zip_central_extra_bytes - 4);
    *p++ = zip_extra_time_flags;
    put32(p, low32(modification_unix));
    h.central_extra_length = zip_central_extra_bytes;
}

std::uint32_t dos_time_stamp(const platform::calendar_time& t) noexcept
{
    if (t.year < 1980) {
        return (1u << 5 | 1u) << 16; // 1980-01-01 00:00:00
    }
    const std::uint32_t date =
        static_cast<std::uint32_t>(((t.year - 1980) & 0x7F) << 9 | t.month << 5 | t.day);
    const std::uint32_t time = static_cast<std::uint32_t>(t.hour << 11 | t.minute << 5 | t.second / 2);
    return date << 16 | time;
}

std::uint32_t file_external_attributes(std::uint32_t attributes) noexcept
{
    constexpr std::uint32_t kept = platform::file_attribute_read_only | platform::file_attribute_hidden |
                                   platform::file_attribute_system | platform::file_attribute_directory |
                                   platform::file_attribute_archive;
    const bool folder = (attributes & platform::file_attribute_directory) != 0;
    const bool read_only = (attributes & platform::file_attribute_read_only) != 0;
    const std::uint32_t mode =
        (folder ? zip_unix_folder : zip_unix_regular) | (read_only ? 0 : zip_unix_writable);
    return mode << 16 | (attributes & kept);
}

bool has_stored_extension(const std::u16string& name) noexcept
{
    static const char16_t* const stored[] = {u".Z",   u".zip", u".zoo", u".arc",
                                             u".lzh", u".arj", u".gz",  u".tgz"};
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string::npos) {
        return false;
    }
    for (const char16_t* ext : stored) {
        std::size_t i = 0;
        while (ext[i] != 0 && dot + i < name.size() && lower_ascii(ext[i]) == lower_ascii(name[dot + i])) {
            ++i;
        }
        if (ext[i] == 0 && dot + i == name.size()) {
            return true;
        }
    }
    return false;
}

bool entry_name_utf8(const std::u16string& name, std::string& out)
{
    out.clear();
    if (name.size() > zip_max_name) {
        return false;
    }
    foundation::append_utf8(name, out);
    return out.size() <= zip_max_name;
}

} // namespace zv::zip
