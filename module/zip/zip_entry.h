// The entry header record of an archive entry and the byte layout of the
// records written from it: local header, central directory header, data
// descriptor and end-of-central-directory record.
#pragma once

#include "platform/file_io.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zv::zip
{

// What both the local header and the central directory entry are written from.
struct ZipEntryHeader {
    std::uint16_t version_made_by = 0;
    std::uint16_t version_needed = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t dos_time = 0; // date in the high half, time in the low half
    std::uint32_t crc = 0;
    std::uint32_t compressed_size = 0;
    std::uint32_t uncompressed_size = 0;
    std::uint16_t name_length = 0;
    std::uint16_t local_extra_length = 0;
    std::uint16_t central_extra_length = 0;
    std::uint16_t comment_length = 0;
    std::uint16_t disk_start = 0;
    std::uint16_t internal_attributes = 0;
    std::uint16_t local_flags = 0; // the flags written into the local header
    std::uint32_t external_attributes = 0;
    std::uint32_t local_header_offset = 0;
    char name[260] = {}; // UTF-8, zero-terminated
    std::uint8_t local_extra[17] = {};
    std::uint8_t central_extra[9] = {};
};

// Largest record written from a header: central header, name and extra.
inline constexpr std::size_t zip_max_record_bytes = 46 + 260 + 17;

// Writes the local header (30 bytes + name + 17-byte extra); returns its size.
std::size_t encode_local_header(const ZipEntryHeader& header, std::uint8_t* out) noexcept;
// Writes the central directory header (46 bytes + name + 9-byte extra).
std::size_t encode_central_header(const ZipEntryHeader& header, std::uint8_t* out) noexcept;
// Writes the 16-byte data descriptor: signature, CRC, sizes.
std::size_t encode_data_descriptor(const ZipEntryHeader& header, std::uint8_t* out) noexcept;
// Writes the 22-byte end-of-central-directory record.
std::size_t encode_end_record(std::uint16_t entries, std::uint32_t directory_bytes,
                              std::uint32_t directory_offset, std::uint8_t* out) noexcept;

// Fills both extended time-stamp fields: modification, access and creation
// times in the local one, the modification time alone in the central one
// (Unix seconds, low 32 bits).
void set_time_extras(ZipEntryHeader& header, std::int64_t modification_unix, std::int64_t access_unix,
                     std::int64_t creation_unix) noexcept;

// The DOS time stamp of a calendar time (years before 1980 become 1980-01-01).
std::uint32_t dos_time_stamp(const platform::calendar_time& time) noexcept;

// External attributes of a file: its attribute bits in the low byte, a Unix
// mode in the high half.
std::uint32_t file_external_attributes(std::uint32_t attributes) noexcept;

// Whether a name's extension marks data that is already compressed, so the
// entry is stored rather than deflated.
bool has_stored_extension(const std::u16string& name) noexcept;

// UTF-8 form of an entry name; false when it does not fit the 259-byte limit.
bool entry_name_utf8(const std::u16string& name, std::string& out);

} // namespace zv::zip
