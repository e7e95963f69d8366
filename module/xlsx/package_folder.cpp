#include "xlsx/package_folder.h"

#include <cstdio>
#include <set>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "xlsx/utf8.h"

namespace zv::xlsx
{
namespace
{

// Folders reserved by the live workbooks of this thread. Workbooks on other
// threads get other names anyway, because the name carries the thread id.
std::set<std::u16string>& Reserved()
{
    thread_local std::set<std::u16string> folders;
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

// Creates every folder on the way to the file, one level at a time.
void CreateFoldersOf(const std::u16string& path)
{
    for (std::size_t slash = path.find(u'/', 1); slash != std::u16string::npos;
         slash = path.find(u'/', slash + 1))
        zv::platform::make_directory(path.substr(0, slash));
}

} // namespace

std::u16string ReserveTemporaryFolder()
{
    const std::u16string base = BaseFolderPath();
    std::u16string folder = base;
    // Same thread and same clock tick: tell them apart by a counter.
    for (unsigned n = 2; Reserved().count(folder) != 0; ++n)
        folder = base + u"_" + Widen(std::to_string(n));
    Reserved().insert(folder);
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
    CreateFoldersOf(path);
    out.Open(path);
    return true;
}

} // namespace zv::xlsx
