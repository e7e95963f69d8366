// Files by native path (UTF-8 on POSIX): whole reads and writes at an
// offset, each looping until every byte has moved, and files written under a
// temporary name beside their target and renamed into place, so a reader
// never sees half a file and a failure leaves the old one as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv::foundation
{

class file
{
  public:
    enum class access { read, read_write };

    file() = default;
    ~file() { close(); }
    file(file&& other) noexcept;
    file& operator=(file&& other) noexcept;
    file(const file&) = delete;
    file& operator=(const file&) = delete;

    // Opens an existing regular file. False when it cannot be opened or is
    // not a regular file (a folder, a device).
    bool open(const std::string& path, access mode);
    bool is_open() const { return handle_ >= 0; }
    // Closes the file; false when the system reports that buffered data
    // could not be written.
    bool close();

    // The file's size in bytes; nullopt when it cannot be asked.
    std::optional<std::uint64_t> size() const;
    // Exactly length bytes at offset; false on error or end of file.
    bool read_at(std::uint64_t offset, void* out, std::size_t length) const;
    // Exactly length bytes at offset; false when any could not be written.
    bool write_at(std::uint64_t offset, const void* data, std::size_t length);

  private:
    friend class replacement_file;
    std::intptr_t handle_ = -1; // a descriptor, or a Windows handle (-1: none)
};

// A new file written beside its target under a unique temporary name and
// renamed over the target by commit(). Destroyed or discarded before
// commit, it removes the temporary and leaves the target untouched.
class replacement_file
{
  public:
    replacement_file() = default;
    ~replacement_file() { discard(); }
    replacement_file(const replacement_file&) = delete;
    replacement_file& operator=(const replacement_file&) = delete;

    // Creates the empty temporary in target's folder (so the rename never
    // crosses volumes), readable by everyone like a file made by open().
    bool create(const std::string& target);
    file& output() { return file_; }
    const std::string& temporary_path() const { return temporary_; }

    // Appends bytes at the end of what was appended so far.
    bool append(const void* data, std::size_t length);
    // Closes the temporary and puts it in place of the target, replacing an
    // existing target only with replace_existing (then an existing target
    // makes it fail, without a race). On any failure the temporary is
    // removed and the target left as it was.
    bool commit(bool replace_existing = true);
    // Closes and removes the temporary (nothing when there is none).
    void discard();

  private:
    file file_;
    std::string target_;
    std::string temporary_;
    std::uint64_t appended_ = 0;
};

// Writes content to path through a replacement_file.
bool write_file_replacing(const std::string& path, std::string_view content);

// The whole of a regular file of at most max_bytes; nullopt otherwise.
std::optional<std::string> read_small_file(const std::string& path, std::size_t max_bytes);

// Renames from over to (replacing it); false when that fails.
bool rename_replacing(const std::string& from, const std::string& to);
bool remove_file(const std::string& path);
bool is_regular_file(const std::string& path);

// The regular file at path, found as Windows finds it: by its name without
// regard to case, in the folder the path names. Where several files of the
// folder match (only where names have a case), the exact name wins, then the
// name in lower case, then the first of the others in byte order; nullopt
// when none does. Names that are not UTF-8 match only exactly.
std::optional<std::string> find_file_any_case(const std::string& path);

// A companion of a data file (its .shx, .dbf, .cpg, .prj, ...):
// find_file_any_case(base + extension).
std::optional<std::string> find_companion(const std::string& base, std::string_view extension);
bool is_directory(const std::string& path);

} // namespace zv::foundation
