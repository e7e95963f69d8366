// Packs the part files of a workbook's temporary folder into the archive.
#pragma once

#include <string>
#include <vector>

namespace zv::xlsx
{

// Creates (or replaces) the archive at `target` and adds "<folder>/<part>"
// under the name <part> for every part in order. The archive is closed even
// when an add fails (it then holds the parts added before). True only when
// every part was added and the archive was closed complete: an archive whose
// output failed is removed by the archive writer, so it is no saved workbook.
bool PackParts(const std::u16string& target, const std::u16string& folder,
               const std::vector<std::u16string>& parts);

} // namespace zv::xlsx
