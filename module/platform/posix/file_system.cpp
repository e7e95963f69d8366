// The file system on POSIX. Paths arrive as UTF-16 with either separator and
// reach the system as UTF-8 with slashes. Folder enumeration matches names
// the way Windows does (wildcard_match) and hands them out ordered by name
// without regard to case, the order its file system keeps them in, so
// listings do not depend on the order of readdir.
#include "platform/file_system.h"
#include "foundation/guard.h"

#include "foundation/file.h"
#include "foundation/paths.h"
#include "foundation/utf.h"
#include "platform/case_mapping.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace zv::platform
{
namespace
{

// The system form of a path; empty, which every system call refuses, when
// the path is not well-formed UTF-16.
std::string native(const std::u16string& path)
{
    return foundation::native_path(path).value_or(std::string());
}

bool native_stat(const std::u16string& path, struct stat& out)
{
    if (path.empty())
        return false;
    return ::stat(native(path).c_str(), &out) == 0;
}

// Copies the bytes, mode and modification time of a regular file into a
// temporary beside the target and puts it in place: the target is never
// seen half-written.
bool copy_regular_file(const std::string& from, const std::string& to, bool overwrite)
{
    foundation::file source;
    struct stat info {
    };
    if (!source.open(from, foundation::file::access::read) || ::stat(from.c_str(), &info) != 0)
        return false;
    foundation::replacement_file target;
    if (!target.create(to))
        return false;
    std::vector<char> buffer(std::size_t{1} << 16);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    for (std::uint64_t at = 0; at < size;) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size - at));
        if (!source.read_at(at, buffer.data(), chunk) || !target.append(buffer.data(), chunk))
            return false;
        at += chunk;
    }
    const timespec times[2] = {info.st_atim, info.st_mtim};
    const char* temporary = target.temporary_path().c_str();
    return ::chmod(temporary, info.st_mode & 07777) == 0 && ::utimensat(AT_FDCWD, temporary, times, 0) == 0 &&
           target.commit(overwrite);
}

// The folder part of a search path that ends at `last` (a separator or npos).
std::u16string folder_of_search(const std::u16string& search, std::size_t last)
{
    if (last == std::u16string::npos)
        return std::u16string(1, u'.');
    if (last == 0)
        return std::u16string(1, u'/');
    return search.substr(0, last);
}

bool by_name_without_case(const std::u16string& a, const std::u16string& b)
{
    const int order = compare_no_case(a, b);
    return order != 0 ? order < 0 : a < b;
}

} // namespace

bool query_path(const std::u16string& path, path_status& out) noexcept
{
    return foundation::guarded(false, [&] {
        struct stat info {
        };
        if (!native_stat(path, info))
            return false;
        out.directory = S_ISDIR(info.st_mode);
        out.read_only = (info.st_mode & S_IWUSR) == 0;
        struct stat own {
        };
        out.link = ::lstat(native(path).c_str(), &own) == 0 && S_ISLNK(own.st_mode);
        const std::size_t last = path.find_last_of(u"\\/");
        const std::u16string_view name =
            std::u16string_view(path).substr(last == std::u16string::npos ? 0 : last + 1);
        out.hidden = !name.empty() && name[0] == u'.' && name != u"." && name != u"..";
        return true;
    });
}

bool stat_path(const std::u16string& path, path_stat& out) noexcept
{
    return foundation::guarded(false, [&] {
        struct stat info {
        };
        if (!native_stat(path, info))
            return false;
        out.size_bytes = static_cast<std::uint64_t>(info.st_size);
        out.modified_unix = static_cast<std::int64_t>(info.st_mtim.tv_sec);
        return true;
    });
}

bool can_open_file(const std::u16string& path, bool for_update) noexcept
{
    return foundation::guarded(false, [&] {
        if (path.empty())
            return false;
        std::FILE* file = std::fopen(native(path).c_str(), for_update ? "rb+" : "rb");
        if (file == nullptr)
            return false;
        struct stat info {
        };
        // A folder opens for reading here but never as a file elsewhere.
        const bool regular = ::fstat(::fileno(file), &info) == 0 && !S_ISDIR(info.st_mode);
        std::fclose(file);
        return regular;
    });
}

bool make_directory(const std::u16string& path) noexcept
{
    return foundation::guarded(false,
                               [&] { return !path.empty() && ::mkdir(native(path).c_str(), 0777) == 0; });
}

bool remove_empty_directory(const std::u16string& path) noexcept
{
    return foundation::guarded(false, [&] { return !path.empty() && ::rmdir(native(path).c_str()) == 0; });
}

bool delete_file(const std::u16string& path) noexcept
{
    return foundation::guarded(false, [&] { return !path.empty() && ::unlink(native(path).c_str()) == 0; });
}

bool copy_file(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept
{
    return foundation::guarded(false, [&] {
        if (from.empty() || to.empty())
            return false;
        const std::string target = native(to);
        if (!overwrite && ::access(target.c_str(), F_OK) == 0)
            return false;
        return copy_regular_file(native(from), target, overwrite);
    });
}

bool move_path(const std::u16string& from, const std::u16string& to, bool replace) noexcept
{
    return foundation::guarded(false, [&] {
        if (from.empty() || to.empty())
            return false;
        const std::string source = native(from);
        const std::string target = native(to);
        struct stat info {
        };
        if (::lstat(source.c_str(), &info) != 0)
            return false;
        if (!replace && ::lstat(target.c_str(), &info) == 0)
            return false;
        if (::rename(source.c_str(), target.c_str()) == 0)
            return true;
        if (errno != EXDEV || S_ISDIR(info.st_mode))
            return false;
        // Another volume: copy, then remove the source.
        return copy_file(from, to, replace) && ::unlink(source.c_str()) == 0;
    });
}

bool find_entries(const std::u16string& search, std::vector<std::u16string>& names) noexcept
{
    return foundation::guarded(false, [&] {
        const std::size_t last = search.find_last_of(u"\\/");
        const std::u16string pattern = last == std::u16string::npos ? search : search.substr(last + 1);
        const std::u16string folder = folder_of_search(search, last);
        if (pattern.empty())
            return false;
        const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(native(folder).c_str()), ::closedir);
        if (dir == nullptr)
            return false;
        std::vector<std::u16string> found;
        while (const dirent* entry = ::readdir(dir.get())) {
            // A name that is not UTF-8 could not be opened through a wide
            // path, so it is not listed.
            const auto name = foundation::to_utf16_strict(entry->d_name);
            if (!name || *name == u"." || *name == u"..")
                continue;
            if (wildcard_match(pattern, *name))
                found.push_back(*name);
        }
        std::sort(found.begin(), found.end(), by_name_without_case);
        names.insert(names.end(), found.begin(), found.end());
        return !found.empty();
    });
}

} // namespace zv::platform
