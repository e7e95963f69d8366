// What the file system functions share on every platform: the wildcard
// match of file names and the questions answered by the attribute query.
#include "platform/file_system.h"

#include "platform/case_mapping.h"

namespace zv::platform
{
namespace
{

bool name_matches(std::u16string_view pattern, std::u16string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::u16string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || to_upper(pattern[p]) == to_upper(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool path_exists(const std::u16string& path) noexcept
{
    path_status status;
    return query_path(path, status);
}

bool is_directory_path(const std::u16string& path) noexcept
{
    path_status status;
    return query_path(path, status) && status.directory;
}

bool wildcard_match(std::u16string_view pattern, std::u16string_view name) noexcept
{
    if (pattern == u"*.*")
        return true;
    return name_matches(pattern, name);
}

} // namespace zv::platform
