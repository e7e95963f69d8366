// The parts of files that need no system call of their own.
#include "foundation/file.h"

namespace zv::foundation
{

file::file(file&& other) noexcept : handle_(other.handle_)
{
    other.handle_ = -1;
}

file& file::operator=(file&& other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = -1;
    }
    return *this;
}

bool replacement_file::append(const void* data, std::size_t length)
{
    if (!file_.write_at(appended_, data, length))
        return false;
    appended_ += length;
    return true;
}

bool write_file_replacing(const std::string& path, std::string_view content)
{
    replacement_file out;
    return out.create(path) && out.append(content.data(), content.size()) && out.commit();
}

std::optional<std::string> read_small_file(const std::string& path, std::size_t max_bytes)
{
    file in;
    if (!in.open(path, file::access::read))
        return std::nullopt;
    const auto size = in.size();
    if (!size || *size > max_bytes)
        return std::nullopt;
    std::string content(static_cast<std::size_t>(*size), '\0');
    if (!in.read_at(0, content.data(), content.size()))
        return std::nullopt;
    return content;
}

std::optional<std::string> find_companion(const std::string& base, std::string_view extension)
{
    std::string path = base;
    path += extension;
    return find_file_any_case(path);
}

} // namespace zv::foundation
