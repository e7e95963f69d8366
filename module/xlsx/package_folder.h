// The private temporary folder in which a workbook's part files are written
// before they are packed, and the opening of one part file inside it.
#pragma once

#include <string>
#include <string_view>

#include "xlsx/part_stream.h"

namespace zv::xlsx
{

// Reserves a temporary folder path for a new workbook: "xlsx_<thread>_<clock>"
// under the folder named by the environment variable TEMP, or relative to the
// current folder when TEMP is not set. Nothing is created on disk. A path is
// never handed out twice while it is reserved on this thread, so two
// workbooks alive at once cannot share their part files.
std::u16string ReserveTemporaryFolder();
// Ends the reservation made by ReserveTemporaryFolder.
void ReleaseTemporaryFolder(const std::u16string& folder);

// "<folder>/<part>".
std::u16string PartPath(const std::u16string& folder, std::u16string_view part);

// Creates the folders of "<folder>/<part>" and opens the file for writing.
// False when the path does not keep within the multibyte limit (nothing is
// created then); a file that cannot be opened leaves `out` closed.
bool OpenPartFile(const std::u16string& folder, std::u16string_view part, PartStream& out);

} // namespace zv::xlsx
