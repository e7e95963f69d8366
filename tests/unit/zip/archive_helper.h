// Test helpers for archives: Python's zipfile as the independent reader, and
// a small parser of the records we write, to check fields the readers do not
// show.
#pragma once

#include "kit/command.h"
#include "kit/scratch_folder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zv::zip::test
{

using byte_string = std::vector<std::uint8_t>;

// The kit's scratch folder, file access and command runner, under the names
// these tests use.
using scratch_folder = zv::test::scratch_folder;
using zv::test::command_result;
using zv::test::run_command;
using zv::test::write_bytes;
byte_string read_file(const std::filesystem::path& path);
std::u16string u16(const std::filesystem::path& path);

// Python's zipfile over the archive: testzip() must pass, and the script
// prints one line per entry "name|method|flags|size|crc".
command_result python_zip_listing(const std::filesystem::path& archive);

struct central_entry {
    std::uint16_t made_by, needed, flags, method, time, date;
    std::uint32_t crc, compressed, size;
    std::vector<std::uint8_t> extra;
    std::uint32_t external, local_offset;
    std::string name;
};

struct local_entry {
    std::uint16_t needed, flags, method, time, date;
    std::uint32_t crc, compressed, size;
    std::vector<std::uint8_t> extra;
    std::string name;
    std::size_t data_offset;
};

std::uint32_t le32(const byte_string& b, std::size_t at);
std::uint16_t le16(const byte_string& b, std::size_t at);

// Central directory entries listed by the end record; nothing if malformed.
std::optional<std::vector<central_entry>> central_directory(const byte_string& archive);
std::optional<local_entry> local_header(const byte_string& archive, std::size_t offset);

} // namespace zv::zip::test
