// Numbers of the ZIP container as this writer produces it.
#pragma once

#include <cstdint>

namespace zv::zip
{

// Record signatures (little-endian 32-bit).
inline constexpr std::uint32_t zip_local_header_signature = 0x04034B50;    // "PK\3\4"
inline constexpr std::uint32_t zip_central_header_signature = 0x02014B50;  // "PK\1\2"
inline constexpr std::uint32_t zip_end_record_signature = 0x06054B50;      // "PK\5\6"
inline constexpr std::uint32_t zip_data_descriptor_signature = 0x08074B50; // "PK\7\10"

// Fixed sizes of the records, in bytes, without name and extra field.
inline constexpr std::uint32_t zip_local_header_bytes = 30;
inline constexpr std::uint32_t zip_central_header_bytes = 46;
inline constexpr std::uint32_t zip_end_record_bytes = 22;
inline constexpr std::uint32_t zip_data_descriptor_bytes = 16;

// Extended time stamp extra field: tag "UT", with three times (local header,
// 17 bytes) or the modification time only (central directory, 9 bytes).
inline constexpr std::uint16_t zip_extra_time_tag = 0x5455;
inline constexpr std::uint32_t zip_local_extra_bytes = 17;
inline constexpr std::uint32_t zip_central_extra_bytes = 9;
// Flags byte of the time stamp field: modification, access, creation present.
inline constexpr std::uint8_t zip_extra_time_flags = 7;

// Version made by written into the central directory.
inline constexpr std::uint16_t zip_version_made_by = 0x0B17;
// Version needed to extract (2.0: DEFLATE and folders).
inline constexpr std::uint16_t zip_version_needed = 20;

// Compression methods.
inline constexpr std::uint16_t zip_method_stored = 0;
inline constexpr std::uint16_t zip_method_deflated = 8;

// General-purpose flag bits.
inline constexpr std::uint16_t zip_flag_encrypted = 0x0001;       // bit 0
inline constexpr std::uint16_t zip_flag_maximum = 0x0002;         // bit 1: level 8 and above
inline constexpr std::uint16_t zip_flag_fast = 0x0004;            // bit 2: levels below 3
inline constexpr std::uint16_t zip_flag_data_descriptor = 0x0008; // bit 3: sizes follow the data

// External attributes of sources that are not files.
inline constexpr std::uint32_t zip_folder_attributes = 0x41C00010;
inline constexpr std::uint32_t zip_memory_attributes = 0x80000000;
// Unix mode bits in the high half of the external attributes.
inline constexpr std::uint32_t zip_unix_regular = 0x8100;  // regular file, owner read
inline constexpr std::uint32_t zip_unix_folder = 0x4100;   // folder, owner read
inline constexpr std::uint32_t zip_unix_writable = 0x0080; // owner write

// Size of a stored-data block, and of the writer's read buffer, in bytes.
inline constexpr std::uint32_t zip_block_bytes = 16384;
// Longest entry name, in characters and in UTF-8 bytes (without terminator).
inline constexpr std::uint32_t zip_max_name = 259;
// Most entries one archive can list (the end record counts them in 16 bits).
inline constexpr std::uint32_t zip_max_entries = 65535;
// DEFLATE level used for every compressed entry.
inline constexpr int zip_pack_level = 8;

} // namespace zv::zip
