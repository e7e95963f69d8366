// Files on Windows through the wide functions; native paths arrive as UTF-8.
#include "foundation/file.h"

#include "foundation/win32/wide_path.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace zv::foundation
{
namespace
{

HANDLE handle_of(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

constexpr std::intptr_t no_handle = -1; // INVALID_HANDLE_VALUE

OVERLAPPED at_offset(std::uint64_t offset)
{
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(offset);
    where.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return where;
}

// ReadFile and WriteFile move at most a DWORD at a time and may move less;
// the loop goes on until every byte has moved.
constexpr std::size_t max_step = 1u << 30;

template <class Call> bool move_all(std::uint64_t offset, std::size_t length, Call call)
{
    for (std::size_t done = 0; done < length;) {
        OVERLAPPED where = at_offset(offset + done);
        DWORD moved = 0;
        const auto step = static_cast<DWORD>(std::min(length - done, max_step));
        if (call(done, step, &moved, &where) == 0 || moved == 0)
            return false;
        done += moved;
    }
    return true;
}

DWORD attributes(const std::string& path)
{
    const std::wstring wide = win32::wide_path(path);
    return wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
}

} // namespace

bool file::open(const std::string& path, access mode)
{
    close();
    const std::wstring wide = win32::wide_path(path);
    if (wide.empty() || !is_regular_file(path))
        return false;
    const DWORD rights = mode == access::read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const HANDLE opened =
        CreateFileW(wide.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    handle_ = reinterpret_cast<std::intptr_t>(opened);
    return true;
}

bool file::close()
{
    if (handle_ == no_handle)
        return true;
    const bool ok = CloseHandle(handle_of(handle_)) != 0;
    handle_ = no_handle;
    return ok;
}

std::optional<std::uint64_t> file::size() const
{
    LARGE_INTEGER size{};
    if (handle_ == no_handle || GetFileSizeEx(handle_of(handle_), &size) == 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool file::read_at(std::uint64_t offset, void* out, std::size_t length) const
{
    auto* bytes = static_cast<unsigned char*>(out);
    return handle_ != no_handle &&
           move_all(offset, length, [&](std::size_t done, DWORD step, DWORD* moved, OVERLAPPED* where) {
               return ReadFile(handle_of(handle_), bytes + done, step, moved, where);
           });
}

bool file::write_at(std::uint64_t offset, const void* data, std::size_t length)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    return handle_ != no_handle &&
           move_all(offset, length, [&](std::size_t done, DWORD step, DWORD* moved, OVERLAPPED* where) {
               return WriteFile(handle_of(handle_), bytes + done, step, moved, where);
           });
}

bool replacement_file::create(const std::string& target)
{
    discard();
    static std::atomic<unsigned> counter{0};
    // A name no other writer uses: process, tick count and a counter; a
    // clash is refused by CREATE_NEW and the next name is tried.
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, ".tmp.%lx.%llx.%x", GetCurrentProcessId(),
                      static_cast<unsigned long long>(GetTickCount64()), counter++);
        const std::string temporary = target + suffix;
        const std::wstring wide = win32::wide_path(temporary);
        if (wide.empty())
            return false;
        const HANDLE made = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (made != INVALID_HANDLE_VALUE) {
            file_.handle_ = reinterpret_cast<std::intptr_t>(made);
            target_ = target;
            temporary_ = temporary;
            appended_ = 0;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

bool replacement_file::commit(bool replace_existing)
{
    if (temporary_.empty())
        return false;
    const std::wstring from = win32::wide_path(temporary_);
    const std::wstring to = win32::wide_path(target_);
    // MoveFileExW without MOVEFILE_REPLACE_EXISTING refuses an existing
    // target atomically.
    const DWORD flags = replace_existing ? MOVEFILE_REPLACE_EXISTING : 0;
    const bool ok = file_.close() && MoveFileExW(from.c_str(), to.c_str(), flags) != 0;
    if (ok)
        temporary_.clear();
    discard();
    return ok;
}

void replacement_file::discard()
{
    file_.close();
    if (!temporary_.empty())
        DeleteFileW(win32::wide_path(temporary_).c_str());
    temporary_.clear();
}

bool rename_replacing(const std::string& from, const std::string& to)
{
    return MoveFileExW(win32::wide_path(from).c_str(), win32::wide_path(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING) != 0;
}

bool remove_file(const std::string& path)
{
    return DeleteFileW(win32::wide_path(path).c_str()) != 0;
}

bool is_regular_file(const std::string& path)
{
    const DWORD found = attributes(path);
    return found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The system itself finds a file by its name without regard to case.
std::optional<std::string> find_file_any_case(const std::string& path)
{
    return is_regular_file(path) ? std::optional<std::string>(path) : std::nullopt;
}

bool is_directory(const std::string& path)
{
    const DWORD found = attributes(path);
    return found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace zv::foundation
