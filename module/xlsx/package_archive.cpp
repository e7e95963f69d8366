#include "xlsx/package_archive.h"

#include "xlsx/package_folder.h"
#include "zip/zip_archive_writer.h"

namespace zv::xlsx
{

bool PackParts(const std::u16string& target, const std::u16string& folder,
               const std::vector<std::u16string>& parts)
{
    using zv::zip::ZipArchiveWriter;
    zv::zip::ZipArchiveHandle* archive =
        ZipArchiveWriter::Create(target.c_str(), 0, zv::zip::zip_mode_file, nullptr);
    if (archive == nullptr)
        return false;
    bool all_added = true;
    for (const std::u16string& part : parts) {
        const std::u16string source = PartPath(folder, part);
        if (ZipArchiveWriter::AddEntry(archive, part.c_str(), source.c_str(), 0, zv::zip::zip_source_file) !=
            0) {
            all_added = false;
            break;
        }
    }
    // The central directory is written whatever happened above; the result
    // of closing stays the archive writer's last result.
    ZipArchiveWriter::Close(archive);
    return all_added;
}

} // namespace zv::xlsx
