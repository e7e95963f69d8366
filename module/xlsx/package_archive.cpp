#include "xlsx/package_archive.h"

#include "platform/file_io.h"
#include "platform/file_system.h"
#include "xlsx/package_folder.h"
#include "zip/zip_archive_writer.h"

namespace zv::xlsx
{

namespace
{

bool PackInto(const std::u16string& archive_path, const std::u16string& folder,
              const std::vector<std::u16string>& parts)
{
    using zv::zip::ZipArchiveWriter;
    zv::zip::ZipArchiveHandle* archive =
        ZipArchiveWriter::Create(archive_path.c_str(), 0, zv::zip::zip_mode_file, nullptr);
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
    // The central directory is written whatever happened above. An archive
    // whose closing failed has been removed: that is no saved workbook.
    const std::uint32_t closed = ZipArchiveWriter::Close(archive);
    return all_added && closed == zv::zip::zr_ok;
}

} // namespace

// The archive is packed beside the target and put in its place only when
// complete, so a failed save leaves an older workbook of that name as it was
// and no half-written one.
bool PackParts(const std::u16string& target, const std::u16string& folder,
               const std::vector<std::u16string>& parts)
{
    const std::u16string staging = target + u".partial";
    if (PackInto(staging, folder, parts) && zv::platform::move_path(staging, target, true))
        return true;
    zv::platform::remove_file(staging);
    return false;
}

} // namespace zv::xlsx
