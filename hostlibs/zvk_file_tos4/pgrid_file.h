// An open .pgrid file: its validated header and value access in place.
#pragma once

#include "pgrid_format.h"

#include "foundation/file.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zv::zvk_file_tos4
{

class pgrid_file
{
  public:
    // Opens and validates a file; null when it is missing, truncated, longer
    // than its header says, or inconsistent, with the reason in *why when it
    // is given. A writable file is opened for update in place.
    static std::unique_ptr<pgrid_file> open(const std::string& path, bool writable,
                                            std::string* why = nullptr);

    pgrid_file(const pgrid_file&) = delete;
    pgrid_file& operator=(const pgrid_file&) = delete;

    const header& info() const { return header_; }
    bool writable() const { return writable_; }
    // Index of the property of that exact name, or -1.
    long find(const std::string& name) const;

    // Stored values [first, first + count) of a property as doubles.
    bool read_stored(std::size_t property, std::uint64_t first, std::uint64_t count, double* out);
    // The same as floats for the host functions.
    bool read_floats(std::size_t property, std::uint64_t first, std::uint64_t count, float* out,
                     bool keep_nodata);
    // Converts and writes floats in place; false when not writable.
    bool write_floats(std::size_t property, std::uint64_t first, const float* values, std::uint64_t count);

  private:
    pgrid_file(foundation::file file, header h, bool writable);

    bool in_range(std::size_t property, std::uint64_t first, std::uint64_t count) const;
    // The file offset of the first value of a range; nullopt when the range
    // is outside the property.
    std::optional<std::uint64_t> values_at(std::size_t property, std::uint64_t first,
                                           std::uint64_t count) const;

    foundation::file file_;
    header header_;
    bool writable_;
    std::vector<std::uint64_t> offsets_;
};

// Why a file cannot be opened: "no such file", "is a folder, not a file",
// "is not a regular file" or "cannot be opened (permission denied?)".
std::string unopenable_reason(const std::string& path);

// Writes a new file: the header, then each property's column of stored
// values (column k has object_count values the type holds, NaN for no-data
// in float types). The file is written beside the target under a temporary
// name and renamed over it only when complete. Returns what went wrong, to
// follow the target's path in a message; empty on success.
std::string write_new_file(const std::string& path, const header& h,
                           const std::vector<std::vector<double>>& columns);

} // namespace zv::zvk_file_tos4
