#include "support/files.h"
#include "foundation/guard.h"

#include "platform/file_system.h"
#include "platform/system_info.h"
#include "support/paths.h"

#include <algorithm>

namespace zv::support
{
namespace
{

using name_list = std::vector<std::u16string>;

std::u16string with_backslashes(std::u16string path)
{
    std::replace(path.begin(), path.end(), u'/', u'\\');
    return path;
}

// One level of a listing, appending full paths to result. Subfolders are
// descended into (with list_recursive) before they themselves are added.
void list_level(const std::u16string& directory, const std::u16string& pattern, unsigned flags,
                name_list& result)
{
    name_list names;
    if (!platform::find_entries(join(directory, pattern), names))
        return;
    for (const std::u16string& name : names) {
        if (name == u"." || name == u"..")
            continue;
        std::u16string full = join(directory, name);
        platform::path_status status;
        if (platform::query_path(full, status) && status.directory) {
            if ((flags & list_recursive) != 0 && !status.link)
                list_level(full, pattern, flags, result);
            if ((flags & list_directories) != 0)
                result.push_back(std::move(full));
        } else if ((flags & list_files) != 0) {
            result.push_back(std::move(full));
        }
    }
}

// The entry names of a folder, every kind.
name_list entries_of(const std::u16string& directory)
{
    name_list names;
    platform::find_entries(join(directory, u"*"), names);
    return names;
}

bool copy_entry(const std::u16string& from, const std::u16string& to, bool overwrite)
{
    platform::path_status status;
    if (!platform::query_path(from, status))
        return false;
    if (status.directory)
        return copy_directory(from, to, overwrite);
    return platform::copy_file(from, to, overwrite);
}

bool remove_entry(const std::u16string& path)
{
    platform::path_status status;
    if (platform::query_path(path, status) && status.directory && !status.link)
        return remove_tree(path);
    return platform::delete_file(path);
}

} // namespace

bool exists(const std::u16string& path) noexcept
{
    return platform::path_exists(path);
}

bool is_directory(const std::u16string& path) noexcept
{
    return platform::is_directory_path(path);
}

std::uint64_t file_size(const std::u16string& path) noexcept
{
    platform::path_stat stat;
    return platform::stat_path(path, stat) ? stat.size_bytes : 0;
}

std::int64_t modification_time(const std::u16string& path) noexcept
{
    platform::path_stat stat;
    return platform::stat_path(path, stat) ? stat.modified_unix : 0;
}

bool can_read(const std::u16string& path) noexcept
{
    return platform::can_open_file(path, false);
}

bool can_write(const std::u16string& path) noexcept
{
    return platform::can_open_file(path, true);
}

bool copy_file(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept
{
    return platform::copy_file(from, to, overwrite);
}

bool move_file(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept
{
    return platform::move_path(from, to, overwrite);
}

bool delete_file(const std::u16string& path) noexcept
{
    return platform::delete_file(path);
}

bool create_directory(const std::u16string& path) noexcept
{
    return platform::path_exists(path) || platform::make_directory(path);
}

bool create_directories(const std::u16string& path) noexcept
{
    return foundation::guarded(false, [&] {
        if (platform::path_exists(path))
            return true;
        std::u16string current;
        if (!path.empty() && is_separator(path[0]))
            current.push_back(u'\\');
        std::size_t start = 0;
        while (start < path.size()) {
            std::size_t end = start;
            while (end < path.size() && !is_separator(path[end]))
                ++end;
            if (end > start) {
                current.append(path, start, end - start);
                if (!platform::path_exists(current) && !platform::make_directory(current))
                    return false;
                current.push_back(u'\\');
            }
            start = end + 1;
        }
        return true;
    });
}

bool copy_directory(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept
{
    return foundation::guarded(false, [&] {
        if (!platform::is_directory_path(from) || !create_directories(to))
            return false;
        bool all_copied = true;
        for (const std::u16string& name : entries_of(from))
            all_copied = copy_entry(join(from, name), join(to, name), overwrite) && all_copied;
        return all_copied;
    });
}

bool move_directory(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept
{
    if (!platform::is_directory_path(from))
        return false;
    if (platform::move_path(from, to, overwrite))
        return true;
    return copy_directory(from, to, overwrite) && remove_tree(from);
}

bool remove_directory(const std::u16string& path) noexcept
{
    return platform::remove_empty_directory(path);
}

bool remove_tree(const std::u16string& path) noexcept
{
    return foundation::guarded(false, [&] {
        platform::path_status status;
        if (!platform::query_path(path, status) || !status.directory || status.link)
            return false;
        bool all_removed = true;
        for (const std::u16string& name : entries_of(path))
            all_removed = remove_entry(join(path, name)) && all_removed;
        return platform::remove_empty_directory(path) && all_removed;
    });
}

std::u16string user_name() noexcept
{
    return platform::user_name();
}

std::u16string computer_name() noexcept
{
    return platform::computer_name();
}

std::u16string temp_directory() noexcept
{
    return platform::temp_directory();
}

std::u16string temp_file_name() noexcept
{
    const std::u16string folder = platform::temp_directory();
    return folder.empty() ? std::u16string() : platform::unique_temp_file(folder, u"zv");
}

std::vector<std::u16string> list(const std::u16string& directory, const std::u16string& pattern,
                                 unsigned flags) noexcept
{
    return foundation::guarded(std::vector<std::u16string>(), [&]() -> std::vector<std::u16string> {
        const std::u16string folder = with_backslashes(directory);
        const std::u16string filter = with_backslashes(pattern);
        name_list result;
        if ((flags & list_recursive) == 0) {
            list_level(folder, filter, flags, result);
            return result;
        }
        name_list gathered{folder};
        list_level(folder, u"*", list_directories | list_recursive, gathered);
        for (const std::u16string& each : gathered)
            list_level(each, filter, flags & ~list_recursive, result);
        return result;
    });
}

} // namespace zv::support
