// File-system functions on UTF-16 paths: queries, copy, move and removal of
// files and folder trees, folder creation, the user's and computer's names,
// temporary files, and recursive listings. Failures give false, 0, an empty
// string or an empty list; nothing is thrown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::support
{

// Listing flags, combined bitwise.
inline constexpr unsigned list_directories = 1;
inline constexpr unsigned list_files = 2;
inline constexpr unsigned list_recursive = 4;

bool exists(const std::u16string& path) noexcept;
bool is_directory(const std::u16string& path) noexcept;
// Size in bytes and last modification (seconds since 1970-01-01 UTC); 0 when
// the path cannot be asked.
std::uint64_t file_size(const std::u16string& path) noexcept;
std::int64_t modification_time(const std::u16string& path) noexcept;
// Whether the file opens for reading, respectively for reading and writing.
bool can_read(const std::u16string& path) noexcept;
bool can_write(const std::u16string& path) noexcept;

// Fails when the target exists and overwrite is false.
bool copy_file(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept;
// Moves across volumes too; replaces an existing target only with overwrite.
bool move_file(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept;
bool delete_file(const std::u16string& path) noexcept;

// True when the path exists already, else whether that one folder was made.
bool create_directory(const std::u16string& path) noexcept;
// Creates every missing folder along the path; false at the first failure.
bool create_directories(const std::u16string& path) noexcept;
// Copies a folder tree into `to` (created as needed); files existing there
// are replaced only with overwrite. False when anything was not copied.
bool copy_directory(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept;
// Moves a folder tree: renamed when possible, else copied and then removed.
bool move_directory(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept;
// Removes one empty folder.
bool remove_directory(const std::u16string& path) noexcept;
// Removes a folder with everything in it. Linked folders inside are unlinked,
// never followed.
bool remove_tree(const std::u16string& path) noexcept;

std::u16string user_name() noexcept;
std::u16string computer_name() noexcept;
// The temporary folder, and a new, empty, uniquely named file in it.
std::u16string temp_directory() noexcept;
std::u16string temp_file_name() noexcept;

// Full paths of the entries of `directory` whose names match `pattern` (the
// platform's case-insensitive '*' and '?'), by flags: list_directories,
// list_files, and list_recursive to descend. Recursive listings first gather
// the folder and all its subfolders, each subfolder after its own subfolders
// (a, a\b\c, a\b), then list each gathered folder in turn. Linked folders are
// listed but not descended into, so a link cycle cannot make a listing endless.
std::vector<std::u16string> list(const std::u16string& directory, const std::u16string& pattern,
                                 unsigned flags) noexcept;

} // namespace zv::support
