// The file layer on POSIX: descriptors, fstat, UTF-8 paths.
#include "platform/file_io.h"

#include "foundation/paths.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv::platform
{
namespace
{

// The system form of a path: UTF-8, backslashes as slashes; empty, which
// every system call refuses, when the path is not well-formed UTF-16.
std::string system_path(const std::u16string& path)
{
    return foundation::native_path(path).value_or(std::string());
}

file_handle sys_open_read(const std::u16string& path)
{
    const std::string native = system_path(path);
    if (native.empty()) {
        return invalid_file;
    }
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return invalid_file;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return invalid_file;
    }
    return fd;
}

file_handle sys_create_write(const std::u16string& path)
{
    const std::string native = system_path(path);
    if (native.empty()) {
        return invalid_file;
    }
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return fd < 0 ? invalid_file : fd;
}

std::int64_t sys_read(file_handle file, void* buffer, std::size_t size_bytes)
{
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(file), buffer, size_bytes);
        if (n >= 0 || errno != EINTR) {
            return n;
        }
    }
}

std::int64_t sys_write(file_handle file, const void* data, std::size_t size_bytes)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < size_bytes) {
        const ssize_t n = ::write(static_cast<int>(file), bytes + done, size_bytes - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool sys_seek(file_handle file, std::uint64_t offset_bytes)
{
    return ::lseek(static_cast<int>(file), static_cast<off_t>(offset_bytes), SEEK_SET) >= 0;
}

std::int64_t sys_tell(file_handle file)
{
    const off_t pos = ::lseek(static_cast<int>(file), 0, SEEK_CUR);
    return pos < 0 ? -1 : static_cast<std::int64_t>(pos);
}

// The Windows-style attribute bits of a file: a file written by us carries the
// archive bit, as Windows sets it on every newly written file.
std::uint32_t attributes_of(const struct stat& st)
{
    std::uint32_t attributes = 0;
    if ((st.st_mode & S_IWUSR) == 0) {
        attributes |= file_attribute_read_only;
    }
    if (S_ISDIR(st.st_mode)) {
        attributes |= file_attribute_directory;
    } else {
        attributes |= file_attribute_archive;
    }
    return attributes;
}

bool sys_info(file_handle file, file_info& out)
{
    struct stat st {
    };
    if (::fstat(static_cast<int>(file), &st) != 0) {
        return false;
    }
    out.size_bytes = static_cast<std::uint64_t>(st.st_size);
    out.attributes = attributes_of(st);
    out.access_time_unix = st.st_atime;
    out.write_time_unix = st.st_mtime;
    // POSIX keeps no creation time in stat; the status-change time is the
    // closest, and never later than now.
    out.creation_time_unix = st.st_ctime < st.st_mtime ? st.st_ctime : st.st_mtime;
    return true;
}

void sys_close(file_handle file)
{
    if (file != invalid_file) {
        ::close(static_cast<int>(file));
    }
}

bool sys_remove(const std::u16string& path)
{
    const std::string native = system_path(path);
    return !native.empty() && ::unlink(native.c_str()) == 0;
}

constexpr file_io_ops system_ops{sys_open_read, sys_create_write, sys_read,  sys_write, sys_seek,
                                 sys_tell,      sys_info,         sys_close, sys_remove};

calendar_time calendar_of(const std::tm& tm)
{
    return calendar_time{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

} // namespace

const file_io_ops& system_file_io_ops() noexcept
{
    return system_ops;
}

calendar_time utc_calendar_time(std::int64_t unix_seconds) noexcept
{
    const std::time_t t = static_cast<std::time_t>(unix_seconds);
    std::tm tm{};
    if (::gmtime_r(&t, &tm) == nullptr) {
        return calendar_time{};
    }
    return calendar_of(tm);
}

calendar_time local_calendar_time_now() noexcept
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    if (::localtime_r(&t, &tm) == nullptr) {
        return calendar_time{};
    }
    return calendar_of(tm);
}

} // namespace zv::platform
