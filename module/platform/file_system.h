// The file system as the module sees it: attributes, sizes and times of a
// path, folder creation and removal, file deletion, copy and move, and folder
// enumeration with the platform's wildcard match.
//
// Paths are UTF-16 and may use backslashes or slashes as separators. Every
// function reports failure by its result and never throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv::platform
{

// What the attribute query tells about an existing path.
struct path_status {
    bool directory = false;
    bool read_only = false;
    bool hidden = false;
    bool link = false; // a symbolic link or other redirection to elsewhere
};

// Size and last modification time of a path (the C run-time's 64-bit stat).
struct path_stat {
    std::uint64_t size_bytes = 0;
    std::int64_t modified_unix = 0; // seconds since 1970-01-01 UTC
};

// The attribute query; false when the path does not exist or cannot be asked.
bool query_path(const std::u16string& path, path_status& out) noexcept;
// Whether the attribute query succeeds.
bool path_exists(const std::u16string& path) noexcept;
// Whether the path exists and is a folder.
bool is_directory_path(const std::u16string& path) noexcept;
// Size and modification time; false when the stat fails.
bool stat_path(const std::u16string& path, path_stat& out) noexcept;
// Whether the file opens with the C run-time in mode "rb" (for_update false)
// or "rb+" (for_update true); it is closed again at once.
bool can_open_file(const std::u16string& path, bool for_update) noexcept;

// Creates one folder; false when it exists already or its parent is missing.
bool make_directory(const std::u16string& path) noexcept;
// Removes a folder that is empty; false otherwise.
bool remove_empty_directory(const std::u16string& path) noexcept;
// Deletes one file (not a folder).
bool delete_file(const std::u16string& path) noexcept;
// Copies a file's bytes; with overwrite false it fails when the target exists.
// A failed copy leaves no partial target behind.
bool copy_file(const std::u16string& from, const std::u16string& to, bool overwrite) noexcept;
// Moves (renames) a file or folder, copying a file across volumes when needed;
// an existing target is replaced only when replace is true.
bool move_path(const std::u16string& from, const std::u16string& to, bool replace) noexcept;

// The platform's wildcard match of a file name: '*' matches any run of units,
// '?' exactly one, everything else one unit without regard to case; "*.*"
// matches every name.
bool wildcard_match(std::u16string_view pattern, std::u16string_view name) noexcept;

// Enumerates a folder like the platform's find-first/find-next: search is a
// folder path, a separator and a pattern (the last component; it may be a
// plain name). Appends the matching entry names (names only, never "." or
// "..") in the platform's order: ordered by name without regard to case.
// Returns false when the folder cannot be enumerated or nothing matches.
bool find_entries(const std::u16string& search, std::vector<std::u16string>& names) noexcept;

} // namespace zv::platform
