#include "xlsx/package_folder.h"

#include <cstdio>
#include <map>
#include <set>

#include "foundation/paths.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "xlsx/utf8.h"

namespace zv::xlsx
{
namespace
{

// Folders reserved by the live workbooks of this thread, each with the
// folders on its parts' paths made (or found) so far: a workbook's parts
// share a few folders, and asking the system for each of them again for
// every part costs more than writing a small part. Workbooks on other
// threads get other names anyway, because the name carries the thread id.
std::map<std::u16string, std::set<std::u16string>>& Reserved()
{
    thread_local std::map<std::u16string, std::set<std::u16string>> folders;
    return folders;
}

std::u16string Widen(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string BaseFolderPath()
{
    char name[64];
    std::snprintf(name, sizeof name, "xlsx_%lu_%ld",
                  static_cast<unsigned long>(zv::platform::current_thread_id()),
                  zv::platform::processor_clock());
    const auto temp = zv::platform::get_environment_variable(u"TEMP");
    if (!temp)
        return Widen(name);
    return *temp + u"/" + Widen(name);
}

// Creates every folder on the way to the file, one level at a time, but
// those in `made`, to which it adds the others. The temporary folder's own
// parents count too, after either separator: TEMP has backslashes on Windows.
void CreateFoldersOf(const std::u16string& path, std::set<std::u16string>& made)
{
    for (std::size_t slash = 1; slash < path.size(); ++slash) {
        if (!foundation::is_separator(path[slash]))
            continue;
        std::u16string folder = path.substr(0, slash);
        if (made.count(folder) == 0) {
            zv::platform::make_directory(folder);
            made.insert(std::move(folder));
        }
    }
}

} // namespace

std::u16string ReserveTemporaryFolder()
{
    const std::u16string base = BaseFolderPath();
    std::u16string folder = base;
    // Same thread and same clock tick: tell them apart by a counter.
    for (unsigned n = 2; Reserved().count(folder) != 0; ++n)
        folder = base + u"_" + Widen(std::to_string(n));
    Reserved().emplace(folder, std::set<std::u16string>());
    return folder;
}

void ReleaseTemporaryFolder(const std::u16string& folder)
{
    Reserved().erase(folder);
}

std::u16string PartPath(const std::u16string& folder, std::u16string_view part)
{
    std::u16string path = folder;
    path += u'/';
    path += part;
    return path;
}

bool OpenPartFile(const std::u16string& folder, std::u16string_view part, PartStream& out)
{
    const std::u16string path = PartPath(folder, part);
    if (!FitsMultibytePath(path))
        return false;
    const auto reserved = Reserved().find(folder);
    std::set<std::u16string> made_now;
    CreateFoldersOf(path, reserved != Reserved().end() ? reserved->second : made_now);
    // A folder that went away since it was made is made again.
    if (!out.Open(path) && reserved != Reserved().end()) {
        made_now.clear();
        CreateFoldersOf(path, made_now);
        out.Open(path);
    }
    return true;
}

} // namespace zv::xlsx
