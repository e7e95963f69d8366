// The file system on POSIX. Paths arrive as UTF-16 with either separator and
// reach the system as UTF-8 with slashes. Folder enumeration matches names
// the way the reference platform does (case-insensitive wildcards) and hands
// them out ordered by name without regard to case, the order its file system
// keeps them in, so listings do not depend on the order of readdir.
#include "platform/file_system.h"

#include "platform/text_codec.h"

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

std::string native(const std::u16string& path)
{
    std::u16string slashed(path);
    std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
    return utf16_to_utf8(slashed);
}

bool native_stat(const std::u16string& path, struct stat& out)
{
    if (path.empty())
        return false;
    return ::stat(native(path).c_str(), &out) == 0;
}

// A descriptor closed by scope.
class descriptor
{
  public:
    explicit descriptor(int fd) : fd_(fd) {}
    ~descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    descriptor(const descriptor&) = delete;
    descriptor& operator=(const descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close_now()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool write_all(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

bool copy_bytes(int from, int to)
{
    std::vector<char> buffer(1 << 16);
    while (true) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!write_all(to, buffer.data(), static_cast<std::size_t>(got)))
            return false;
    }
}

// Writes the source's bytes, mode and modification time into a new temporary
// file beside the target; returns its name, empty on failure (nothing left).
std::string copy_to_temporary(const std::string& from, const std::string& to)
{
    descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {
    };
    if (!source.valid() || ::fstat(source.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    std::string temporary = to + ".zvcopy.XXXXXX";
    descriptor target(::mkstemp(temporary.data()));
    if (!target.valid())
        return {};
    const timespec times[2] = {info.st_atim, info.st_mtim};
    const bool copied = copy_bytes(source.get(), target.get()) &&
                        ::fchmod(target.get(), info.st_mode & 07777) == 0 &&
                        ::futimens(target.get(), times) == 0;
    if (target.close_now() && copied)
        return temporary;
    ::unlink(temporary.c_str());
    return {};
}

// Puts a finished temporary file in place of the target.
bool publish(const std::string& temporary, const std::string& to, bool overwrite)
{
    bool done = false;
    if (overwrite) {
        done = ::rename(temporary.c_str(), to.c_str()) == 0;
    } else if (::link(temporary.c_str(), to.c_str()) == 0) {
        done = true; // link refuses an existing target without a race
    } else if (errno != EEXIST && ::access(to.c_str(), F_OK) != 0) {
        done = ::rename(temporary.c_str(), to.c_str()) == 0; // no hard links here
    }
    ::unlink(temporary.c_str());
    return done;
}

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
    try {
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
    } catch (...) {
        return false;
    }
}

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

bool stat_path(const std::u16string& path, path_stat& out) noexcept
{
    try {
        struct stat info {
        };
        if (!native_stat(path, info))
            return false;
        out.size_bytes = static_cast<std::uint64_t>(info.st_size);
        out.modified_unix = static_cast<std::int64_t>(info.st_mtim.tv_sec);
        return true;
    } catch (...) {
        return false;
    }
}

bool can_open_file(const std::u16string& path, bool for_update) noexcept
{
    try {
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
    } catch (...) {
        return false;
    }
}

bool make_directory(const std::u16string& path) noexcept
{
    try {
        return !path.empty() && ::mkdir(native(path).c_str(), 0777) == 0;
    } catch (...) {
        return false;
    }
}

bool remove_empty_directory(const std::u16string& path) noexcept
{
    try {
        return !path.empty() && ::rmdir(native(path).c_str()) == 0;
    } catch (...) {
        return false;
    }
}

bool delete_file(const std::u16string& path) noexcept
{
    try {
        return !path.empty() && ::unlink(native(path).c_str()) == 0;
    } catch (...) {
        return false;
    }
}

bool copy_file(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept
{
    try {
        if (from.empty() || to.empty())
            return false;
        const std::string target = native(to);
        if (!overwrite && ::access(target.c_str(), F_OK) == 0)
            return false;
        const std::string temporary = copy_to_temporary(native(from), target);
        return !temporary.empty() && publish(temporary, target, overwrite);
    } catch (...) {
        return false;
    }
}

bool move_path(const std::u16string& from, const std::u16string& to, bool replace) noexcept
{
    try {
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
    } catch (...) {
        return false;
    }
}

bool wildcard_match(std::u16string_view pattern, std::u16string_view name) noexcept
{
    if (pattern == u"*.*")
        return true;
    return name_matches(pattern, name);
}

bool find_entries(const std::u16string& search, std::vector<std::u16string>& names) noexcept
{
    try {
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
            const std::u16string name = utf8_to_utf16(entry->d_name);
            if (name == u"." || name == u"..")
                continue;
            if (wildcard_match(pattern, name))
                found.push_back(name);
        }
        std::sort(found.begin(), found.end(), by_name_without_case);
        names.insert(names.end(), found.begin(), found.end());
        return !found.empty();
    } catch (...) {
        return false;
    }
}

} // namespace zv::platform
