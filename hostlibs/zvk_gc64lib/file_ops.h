// Paths and the few file operations that loading and saving need.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zv::gc
{

// Native form of a zero-terminated UTF-16 path (UTF-8, "\" a folder
// separator on POSIX); nullopt for a null or empty path or an unpaired
// surrogate.
std::optional<std::string> path_from_utf16(const char16_t* path);

// The path without the extension of its file name (from the last dot on; a
// name whose only dot is its first character has none).
std::string strip_extension(const std::string& path);

bool file_exists(const std::string& path);

// base + ext, or base + upper-case ext when only that exists; nullopt when
// neither exists.
std::optional<std::string> find_companion(const std::string& base, const char* ext);

// The whole content of a file of at most max_bytes; nullopt otherwise.
std::optional<std::string> read_file(const std::string& path, std::size_t max_bytes);

// Writes content to a new file; false (and no file) when that fails.
bool write_file(const std::string& path, const std::string& content);

// A base name in base's folder that no file uses with any of the shapefile
// extensions, for writing before the outputs are put in place.
std::string temporary_base(const std::string& base);

// Moves from onto to, replacing to.
bool replace_file(const std::string& from, const std::string& to);

void remove_file(const std::string& path);

} // namespace zv::gc
