// Facts about the running system that the module asks for: the current user's
// and computer's names, the temporary folder and unique temporary files.
// Failures give an empty result; nothing here throws.
#pragma once

#include <string>
#include <string_view>

namespace zv::platform
{

// The name of the user the process runs as.
std::u16string user_name() noexcept;
// The computer's network name.
std::u16string computer_name() noexcept;
// The folder for temporary files, ending with a separator.
std::u16string temp_directory() noexcept;
// Creates a new empty file with a unique name in directory (the name starts
// with prefix) and returns its full path; empty when no file could be made.
std::u16string unique_temp_file(const std::u16string& directory, std::u16string_view prefix) noexcept;

} // namespace zv::platform
