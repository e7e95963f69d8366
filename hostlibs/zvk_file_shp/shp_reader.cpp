#include "zvk_file_shp/shp_reader.h"

#include <shapefil.h>

namespace zv::shp
{
namespace
{

constexpr std::size_t record_header_bytes = 8; // record number, content length (big-endian)
constexpr std::uint64_t file_header_bytes = 100;

std::uint32_t be_u32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

// shapelib reports damaged files through this hook; we answer with null.
void quiet_error(const char*) {}

std::string strip_extension(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return path;
    }
    return path.substr(0, dot);
}

} // namespace

bool reader::open(const std::string& path)
{
    const std::string base = strip_extension(path);
    return read_index(base) && open_shp(base);
}

// The .shx through shapelib: it checks both file headers and reads every
// record offset.
bool reader::read_index(const std::string& base)
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.Error = quiet_error;
    SHPHandle handle = SHPOpenLL(base.c_str(), "rb", &hooks);
    if (handle == nullptr) {
        return false;
    }
    shape_type_ = handle->nShapeType;
    const int records = handle->nRecords;
    bool ok = records >= 0;
    if (ok) {
        offsets_.assign(handle->panRecOffset, handle->panRecOffset + records);
    }
    SHPClose(handle);
    return ok;
}

bool reader::open_shp(const std::string& base)
{
    return shp_.open(base + ".shp") || shp_.open(base + ".SHP");
}

bool reader::read(std::uint32_t index)
{
    last_valid_ = false;
    if (index >= offsets_.size() || offsets_[index] < file_header_bytes) {
        return false;
    }
    const std::uint64_t at = offsets_[index];
    const unsigned char* head = shp_.view(at, record_header_bytes);
    if (head == nullptr) {
        return false;
    }
    const std::uint64_t content_bytes = std::uint64_t{be_u32(head + 4)} * 2;
    if (content_bytes > shp_.size()) {
        return false;
    }
    const unsigned char* content =
        shp_.view(at + record_header_bytes, static_cast<std::size_t>(content_bytes));
    if (content == nullptr) {
        return false;
    }
    last_valid_ = decode_record(content, static_cast<std::size_t>(content_bytes), index, last_);
    return last_valid_;
}

} // namespace zv::shp
