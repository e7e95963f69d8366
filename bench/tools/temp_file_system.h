// What the file system of the temporary folder costs the workbook writer,
// which makes and removes a folder tree for every workbook.
#pragma once

#include <string>

namespace zv::bench
{

// The block device's name when folder lies on an ext4 without a journal,
// else empty. There each new file passes over every file removed in its
// block group in the last minutes, so the many-files case slows with what
// this and other programs removed there lately.
std::string ext4_device_without_journal(const std::string& folder);

} // namespace zv::bench
