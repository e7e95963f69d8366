// Test helpers for archives: a temporary folder, file access, running the
// independent readers (Python's zipfile, unzip) and a small parser of the
// records we write, to check fields the readers do not show.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zv::zip::test
{

using byte_string = std::vector<std::uint8_t>;

// A fresh folder, removed with everything in it at the end of the test.
class temp_folder
{
  public:
    temp_folder();
    ~temp_folder();
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

void write_file(const std::filesystem::path& path, const std::string& content);
byte_string read_file(const std::filesystem::path& path);
std::u16string u16(const std::filesystem::path& path);

// Runs a command through the shell; its exit status and standard output.
struct command_result {
    int status = -1;
    std::string output;
};
command_result run_command(const std::string& command);

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
