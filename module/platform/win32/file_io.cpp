// The file layer on Windows: file handles of the wide functions, the file
// information of the handle, and the system's calendar conversions.
#include "platform/file_io.h"

#include "platform/win32/file_time.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <algorithm>

namespace zv::platform
{
namespace
{

HANDLE handle_of(file_handle file)
{
    return reinterpret_cast<HANDLE>(file);
}

file_handle file_of(HANDLE handle)
{
    return handle == INVALID_HANDLE_VALUE ? invalid_file : reinterpret_cast<file_handle>(handle);
}

// ReadFile and WriteFile move at most a DWORD's worth at a time.
constexpr std::size_t max_step = std::size_t{1} << 30;

file_handle sys_open_read(const std::u16string& path)
{
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open.
    return file_of(CreateFileW(win32::wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
}

file_handle sys_create_write(const std::u16string& path)
{
    return file_of(CreateFileW(win32::wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::int64_t sys_read(file_handle file, void* buffer, std::size_t size_bytes)
{
    DWORD got = 0;
    const auto step = static_cast<DWORD>(std::min(size_bytes, max_step));
    if (!ReadFile(handle_of(file), buffer, step, &got, nullptr))
        return -1;
    return got;
}

std::int64_t sys_write(file_handle file, const void* data, std::size_t size_bytes)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < size_bytes) {
        DWORD moved = 0;
        const auto step = static_cast<DWORD>(std::min(size_bytes - done, max_step));
        if (!WriteFile(handle_of(file), bytes + done, step, &moved, nullptr) || moved == 0)
            break;
        done += moved;
    }
    return static_cast<std::int64_t>(done);
}

// Only files on a disk have a position; a pipe or a console has none.
bool positioned(file_handle file)
{
    return GetFileType(handle_of(file)) == FILE_TYPE_DISK;
}

bool sys_seek(file_handle file, std::uint64_t offset_bytes)
{
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset_bytes);
    return positioned(file) && SetFilePointerEx(handle_of(file), to, nullptr, FILE_BEGIN);
}

std::int64_t sys_tell(file_handle file)
{
    LARGE_INTEGER at{};
    if (!positioned(file) || !SetFilePointerEx(handle_of(file), LARGE_INTEGER{}, &at, FILE_CURRENT))
        return -1;
    return at.QuadPart;
}

bool sys_info(file_handle file, file_info& out)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle_of(file), &info))
        return false;
    out.size_bytes = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    out.attributes = info.dwFileAttributes;
    out.access_time_unix = win32::unix_seconds(info.ftLastAccessTime);
    out.write_time_unix = win32::unix_seconds(info.ftLastWriteTime);
    out.creation_time_unix = win32::unix_seconds(info.ftCreationTime);
    return true;
}

void sys_close(file_handle file)
{
    if (file != invalid_file)
        CloseHandle(handle_of(file));
}

bool sys_remove(const std::u16string& path)
{
    return DeleteFileW(win32::wide(path)) != 0;
}

constexpr file_io_ops system_ops{sys_open_read, sys_create_write, sys_read,  sys_write, sys_seek,
                                 sys_tell,      sys_info,         sys_close, sys_remove};

calendar_time calendar_of(const SYSTEMTIME& t)
{
    return calendar_time{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

} // namespace

const file_io_ops& system_file_io_ops() noexcept
{
    return system_ops;
}

calendar_time utc_calendar_time(std::int64_t unix_seconds) noexcept
{
    FILETIME file_time{};
    SYSTEMTIME utc{};
    if (!win32::to_file_time(unix_seconds, file_time) || !FileTimeToSystemTime(&file_time, &utc))
        return calendar_time{};
    return calendar_of(utc);
}

calendar_time local_calendar_time_now() noexcept
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return calendar_of(now);
}

} // namespace zv::platform
