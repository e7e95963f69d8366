#include "zvk_file_shp/shp_reader.h"

#include "foundation/byte_order.h"
#include "foundation/file.h"
#include "foundation/paths.h"
#include "zvk_file_shp/shp_format.h"

#include <climits>

namespace zv::zvk_file_shp
{
namespace
{

using foundation::load_be;
using foundation::load_le;

// Offsets and lengths are counted in 16-bit words; a byte offset must fit a
// signed 32-bit number, as in every writer of the format.
constexpr std::uint32_t max_offset_words = INT_MAX;
constexpr std::uint32_t max_length_words = INT_MAX / 2 - 4;

// The file code and a known shape type; the shape type, or nullopt.
std::optional<std::int32_t> header_shape_type(const unsigned char* header)
{
    const std::int32_t type = load_le<std::int32_t>(header + type_offset);
    if (load_be<std::int32_t>(header) != file_code || !is_shape_type(type))
        return std::nullopt;
    return type;
}

} // namespace

bool reader::open(const std::string& path)
{
    const std::string base(foundation::without_extension(std::string_view(path)));
    const auto shx = foundation::find_companion(base, ".shx");
    const auto shp = foundation::find_companion(base, ".shp");
    return shx && shp && read_index(*shx) && open_shp(*shp);
}

// The .shx: its header says how many entries follow, and every one of them
// must be there with an offset past the .shp header that a record could have.
bool reader::read_index(const std::string& shx_path)
{
    foundation::file_window shx;
    if (!shx.open(shx_path))
        return false;
    const unsigned char* header = shx.view(0, file_header_bytes);
    const auto type = header != nullptr ? header_shape_type(header) : std::nullopt;
    if (!type)
        return false;
    const std::uint32_t words = load_be<std::uint32_t>(header + length_offset);
    if (words < file_header_bytes / 2 || words > INT_MAX)
        return false;
    const std::uint64_t count = (std::uint64_t{words} * 2 - file_header_bytes) / index_entry_bytes;
    if (file_header_bytes + count * index_entry_bytes > shx.size())
        return false;
    shape_type_ = *type;
    offsets_.clear();
    offsets_.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        const unsigned char* entry = shx.view(file_header_bytes + i * index_entry_bytes, index_entry_bytes);
        if (entry == nullptr)
            return false;
        const std::uint32_t offset = load_be<std::uint32_t>(entry);
        const std::uint32_t length = load_be<std::uint32_t>(entry + 4);
        if (offset > max_offset_words || length > max_length_words)
            return false;
        offsets_.push_back(offset * 2);
    }
    return true;
}

// The .shp must have a whole header of the same shape type; its records may
// be cut short (those are refused one by one when read).
bool reader::open_shp(const std::string& shp_path)
{
    if (!shp_.open(shp_path))
        return false;
    const unsigned char* header = shp_.view(0, file_header_bytes);
    return header != nullptr && header_shape_type(header) == shape_type_;
}

bool reader::read(std::uint32_t index)
{
    last_valid_ = false;
    if (index >= offsets_.size() || offsets_[index] < file_header_bytes)
        return false;
    const std::uint64_t at = offsets_[index];
    const unsigned char* head = shp_.view(at, record_header_bytes);
    if (head == nullptr)
        return false;
    const std::uint64_t content_bytes = std::uint64_t{load_be<std::uint32_t>(head + 4)} * 2;
    if (content_bytes > shp_.size())
        return false;
    const unsigned char* content =
        shp_.view(at + record_header_bytes, static_cast<std::size_t>(content_bytes));
    if (content == nullptr)
        return false;
    last_valid_ = decode_record(content, static_cast<std::size_t>(content_bytes), index, last_);
    return last_valid_;
}

} // namespace zv::zvk_file_shp
