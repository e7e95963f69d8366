#include "pgrid_file.h"

#include "pgrid_values.h"

#include "foundation/file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

namespace zv::zvk_file_tos4
{
namespace
{

// Values move through a buffer of this many bytes per read or write call.
constexpr std::size_t kChunkBytes = 1 << 16;

// Whether the file is as long as its header and table say.
std::optional<header> check_size(header h, std::uint64_t size, std::string* why)
{
    const auto expected = file_bytes(h);
    if (!expected) {
        return refuse(why, "sizes do not add up: " + std::to_string(h.object_count) +
                               " objects of these types overflow 64 bits");
    }
    if (*expected > size) {
        return refuse(why, "truncated: the header describes " + std::to_string(*expected) +
                               " bytes, the file has " + std::to_string(size));
    }
    if (*expected < size) {
        return refuse(why, "sizes do not add up: the header describes " + std::to_string(*expected) +
                               " bytes, the file has " + std::to_string(size));
    }
    return h;
}

std::optional<header> read_header(const foundation::file& in, std::string* why)
{
    const auto size = in.size();
    if (!size) {
        return refuse(why, "cannot be read");
    }
    if (*size == 0) {
        return refuse(why, "the file is empty");
    }
    unsigned char fixed_bytes[kHeaderBytes];
    if (*size >= kHeaderBytes && !in.read_at(0, fixed_bytes, kHeaderBytes)) {
        return refuse(why, "cannot be read");
    }
    const auto fixed = parse_fixed(fixed_bytes, std::min<std::uint64_t>(*size, kHeaderBytes), why);
    if (!fixed) {
        return std::nullopt;
    }
    if (fixed->data_offset > *size) {
        return refuse(why, "truncated: the property table needs " + std::to_string(fixed->data_offset) +
                               " bytes, the file has " + std::to_string(*size));
    }
    std::vector<unsigned char> table(fixed->data_offset - kHeaderBytes);
    if (!in.read_at(kHeaderBytes, table.data(), table.size())) {
        return refuse(why, "cannot be read");
    }
    auto h = parse_table(*fixed, table.data(), table.size(), why);
    return h ? check_size(std::move(*h), *size, why) : std::nullopt;
}

} // namespace

std::string unopenable_reason(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return "no such file";
    }
    if (status.type() == std::filesystem::file_type::directory) {
        return "is a folder, not a file";
    }
    if (!error && status.type() != std::filesystem::file_type::regular) {
        return "is not a regular file";
    }
    return "cannot be opened (permission denied?)";
}

std::unique_ptr<pgrid_file> pgrid_file::open(const std::string& path, bool writable, std::string* why)
{
    foundation::file in;
    if (!in.open(path, writable ? foundation::file::access::read_write : foundation::file::access::read)) {
        refuse(why, unopenable_reason(path));
        return nullptr;
    }
    auto h = read_header(in, why);
    if (!h) {
        return nullptr;
    }
    return std::unique_ptr<pgrid_file>(new pgrid_file(std::move(in), std::move(*h), writable));
}

pgrid_file::pgrid_file(foundation::file file, header h, bool writable)
    : file_(std::move(file)), header_(std::move(h)), writable_(writable)
{
    for (std::size_t k = 0; k < header_.properties.size(); ++k) {
        offsets_.push_back(*values_offset(header_, k));
    }
}

long pgrid_file::find(const std::string& name) const
{
    for (std::size_t k = 0; k < header_.properties.size(); ++k) {
        if (header_.properties[k].name == name) {
            return static_cast<long>(k);
        }
    }
    return -1;
}

bool pgrid_file::in_range(std::size_t property, std::uint64_t first, std::uint64_t count) const
{
    return property < header_.properties.size() && first <= header_.object_count &&
           count <= header_.object_count - first;
}

std::optional<std::uint64_t> pgrid_file::values_at(std::size_t property, std::uint64_t first,
                                                   std::uint64_t count) const
{
    if (!in_range(property, first, count)) {
        return std::nullopt;
    }
    return offsets_[property] + first * type_size(header_.properties[property].type);
}

bool pgrid_file::read_stored(std::size_t property, std::uint64_t first, std::uint64_t count, double* out)
{
    const auto at = values_at(property, first, count);
    if (!at) {
        return false;
    }
    const stored_type type = header_.properties[property].type;
    const std::size_t size = type_size(type);
    std::vector<unsigned char> chunk(kChunkBytes);
    const std::uint64_t per_chunk = kChunkBytes / size;
    for (std::uint64_t done = 0; done < count;) {
        const auto n = static_cast<std::size_t>(std::min(per_chunk, count - done));
        if (!file_.read_at(*at + done * size, chunk.data(), n * size)) {
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            out[done + i] = decode(type, &chunk[i * size]);
        }
        done += n;
    }
    return true;
}

bool pgrid_file::read_floats(std::size_t property, std::uint64_t first, std::uint64_t count, float* out,
                             bool keep_nodata)
{
    if (!in_range(property, first, count)) {
        return false;
    }
    std::vector<double> stored(static_cast<std::size_t>(std::min<std::uint64_t>(count, kChunkBytes)));
    const auto& info = header_.properties[property];
    for (std::uint64_t done = 0; done < count;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(stored.size(), count - done));
        if (!read_stored(property, first + done, n, stored.data())) {
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            out[done + i] = to_float(info, stored[i], keep_nodata);
        }
        done += n;
    }
    return true;
}

bool pgrid_file::write_floats(std::size_t property, std::uint64_t first, const float* values,
                              std::uint64_t count)
{
    const auto at = values_at(property, first, count);
    if (!writable_ || !at) {
        return false;
    }
    const auto& info = header_.properties[property];
    const std::size_t size = type_size(info.type);
    std::vector<unsigned char> chunk(kChunkBytes);
    const std::uint64_t per_chunk = kChunkBytes / size;
    for (std::uint64_t done = 0; done < count;) {
        const auto n = static_cast<std::size_t>(std::min(per_chunk, count - done));
        for (std::size_t i = 0; i < n; ++i) {
            encode(info.type, from_float(info, values[done + i]), &chunk[i * size]);
        }
        if (!file_.write_at(*at + done * size, chunk.data(), n * size)) {
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace zv::zvk_file_tos4

namespace zv::zvk_file_tos4
{
namespace
{

bool write_column(foundation::replacement_file& out, stored_type type, const std::vector<double>& column)
{
    const std::size_t size = type_size(type);
    std::vector<unsigned char> chunk(kChunkBytes);
    const std::size_t per_chunk = kChunkBytes / size;
    for (std::size_t done = 0; done < column.size();) {
        const std::size_t n = std::min(per_chunk, column.size() - done);
        for (std::size_t i = 0; i < n; ++i) {
            encode(type, column[done + i], &chunk[i * size]);
        }
        if (!out.append(chunk.data(), size * n)) {
            return false;
        }
        done += n;
    }
    return true;
}

std::string check_columns(const header& h, const std::vector<std::vector<double>>& columns)
{
    if (auto why = validate(h); !why.empty()) {
        return why;
    }
    if (columns.size() != h.properties.size()) {
        return "one column of values per property expected";
    }
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const auto& p = h.properties[k];
        if (columns[k].size() != h.object_count) {
            return "column '" + p.name + "' does not have one value per object";
        }
        for (const double v : columns[k]) {
            if (!holds_exactly(p.type, v) && !std::isnan(v)) {
                return "a value of '" + p.name + "' does not fit its type";
            }
        }
    }
    return {};
}

} // namespace

std::string write_new_file(const std::string& path, const header& h,
                           const std::vector<std::vector<double>>& columns)
{
    if (auto why = check_columns(h, columns); !why.empty()) {
        return why;
    }
    foundation::replacement_file out;
    if (!out.create(path)) {
        return "cannot be created (is its folder there and writable?)";
    }
    const auto table = serialize(h);
    bool ok = out.append(table.data(), table.size());
    for (std::size_t k = 0; ok && k < columns.size(); ++k) {
        ok = write_column(out, h.properties[k].type, columns[k]);
    }
    if (!ok || !out.commit()) {
        return "cannot be written (is the disk full?); an existing file there is unchanged";
    }
    return {};
}

} // namespace zv::zvk_file_tos4
