// The file system on Windows, through the wide functions: attributes, the C
// run-time's 64-bit stat and fopen where the module's contract names them,
// and folder enumeration with FindFirstFileW/FindNextFileW, which match
// names with the system's own wildcards and hand them out in the file
// system's order.
#include "platform/file_system.h"

#include "foundation/guard.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <sys/stat.h>

#include <cstdio>
#include <cwchar>
#include <memory>

namespace zv::platform
{
namespace
{

bool is_dot_or_dot_dot(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

struct find_closer {
    void operator()(HANDLE find) const noexcept { FindClose(find); }
};

} // namespace

bool query_path(const std::u16string& path, path_status& out) noexcept
{
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(win32::wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    out.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    out.read_only = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    out.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    out.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return true;
}

bool stat_path(const std::u16string& path, path_stat& out) noexcept
{
    struct _stat64 info {
    };
    if (path.empty() || _wstat64(win32::wide(path), &info) != 0)
        return false;
    out.size_bytes = static_cast<std::uint64_t>(info.st_size);
    out.modified_unix = static_cast<std::int64_t>(info.st_mtime);
    return true;
}

bool can_open_file(const std::u16string& path, bool for_update) noexcept
{
    if (path.empty())
        return false;
    std::FILE* file = _wfopen(win32::wide(path), for_update ? L"rb+" : L"rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

bool make_directory(const std::u16string& path) noexcept
{
    return !path.empty() && CreateDirectoryW(win32::wide(path), nullptr) != 0;
}

bool remove_empty_directory(const std::u16string& path) noexcept
{
    return !path.empty() && RemoveDirectoryW(win32::wide(path)) != 0;
}

bool delete_file(const std::u16string& path) noexcept
{
    return !path.empty() && DeleteFileW(win32::wide(path)) != 0;
}

bool copy_file(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept
{
    if (from.empty() || to.empty())
        return false;
    return CopyFileW(win32::wide(from), win32::wide(to), overwrite ? FALSE : TRUE) != 0;
}

bool move_path(const std::u16string& from, const std::u16string& to, bool replace) noexcept
{
    if (from.empty() || to.empty())
        return false;
    const DWORD flags = MOVEFILE_COPY_ALLOWED | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(win32::wide(from), win32::wide(to), flags) != 0;
}

bool find_entries(const std::u16string& search, std::vector<std::u16string>& names) noexcept
{
    return foundation::guarded(false, [&] {
        WIN32_FIND_DATAW entry{};
        const HANDLE find =
            search.empty() ? INVALID_HANDLE_VALUE : FindFirstFileW(win32::wide(search), &entry);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        const std::unique_ptr<void, find_closer> closes(find);
        bool found = false;
        do {
            if (is_dot_or_dot_dot(entry.cFileName))
                continue;
            names.push_back(win32::from_wide(entry.cFileName, wcslen(entry.cFileName)));
            found = true;
        } while (FindNextFileW(find, &entry));
        return found;
    });
}

} // namespace zv::platform
