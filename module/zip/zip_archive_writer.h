// Writer of ZIP archives: entries compressed with our own DEFLATE at level 8
// (or stored, for names that are already compressed archives), each with an
// extended time stamp; 32-bit sizes, one disk, no comments.
//
// Provided: output to a file path (zip_mode_file) and to memory
// (zip_mode_memory: the caller's buffer, or a block of the writer's own when
// the target is null); sources from a file path (zip_source_file), a memory
// block (zip_source_memory) and folder entries (zip_source_folder). Not
// provided: output to an already open handle (zip_mode_handle), sources from
// an open handle (zip_source_handle) and passwords: Create and AddEntry answer
// zr_bad_arguments for them.
//
// Entry names longer than 259 characters or 259 UTF-8 bytes are refused with
// zr_bad_arguments, as is a 65536th entry.
//
// Every operation sets the process-wide last result. Nothing throws.
#pragma once

#include "zip/zip_result.h"

#include <cstdint>
#include <memory>

namespace zv::zip
{

class ZipArchiveWriter;

// Kind tag of a handle that creates an archive.
inline constexpr std::int32_t zip_handle_creating = 2;

// Output modes of Create.
inline constexpr std::uint32_t zip_mode_handle = 1; // not provided
inline constexpr std::uint32_t zip_mode_file = 2;
inline constexpr std::uint32_t zip_mode_memory = 3;

// Source kinds of AddEntry.
inline constexpr std::uint32_t zip_source_handle = 1; // not provided
inline constexpr std::uint32_t zip_source_file = 2;
inline constexpr std::uint32_t zip_source_memory = 3;
inline constexpr std::uint32_t zip_source_folder = 4;

// What Create hands out; Close frees it. Any kind other than
// zip_handle_creating is refused with zr_mixed_modes.
struct ZipArchiveHandle {
    std::int32_t kind = zip_handle_creating;
    std::unique_ptr<ZipArchiveWriter> writer;

    ZipArchiveHandle();
    ~ZipArchiveHandle();
};

class ZipArchiveWriter
{
  public:
    // Creates an archive. zip_mode_file: target is a zero-terminated UTF-16
    // path (const char16_t*), the file is created or replaced;
    // zip_mode_memory: target is the caller's buffer of capacity bytes, or
    // null for a block of the writer's own. Returns null on failure, the
    // reason in LastResult(): zr_bad_arguments (mode, target or password),
    // zr_no_space (memory capacity 0), zr_no_memory (block not allocated),
    // zr_open_failed (file not created).
    static ZipArchiveHandle* Create(const void* target, std::uint32_t capacity, std::uint32_t mode,
                                    const char* password) noexcept;

    // Adds one entry named name (UTF-16, backslashes become slashes).
    // zip_source_file: source is a zero-terminated UTF-16 path;
    // zip_source_memory: source is a block of length bytes;
    // zip_source_folder: a folder entry, source unused.
    static std::uint32_t AddEntry(ZipArchiveHandle* handle, const char16_t* name, const void* source,
                                  std::uint32_t length, std::uint32_t kind) noexcept;

    // Writes the central directory (unless already written), closes the
    // output and frees the handle. An archive file whose writing failed is
    // removed rather than left half-written.
    static std::uint32_t Close(ZipArchiveHandle* handle) noexcept;

    // Ends a memory archive and gives its bytes (valid until Close).
    // zr_not_memory for an archive written to a file.
    static std::uint32_t GetMemoryBlock(ZipArchiveHandle* handle, void** base,
                                        std::uint32_t* length) noexcept;

    // Copies the message of code (zr_last_result: the last result) into text, cut to
    // size - 1 characters and zero-terminated; returns the full length. With
    // no buffer or size 0 it only returns the length.
    static std::uint32_t ResultMessage(std::uint32_t code, char* text, std::uint32_t size) noexcept;

    // The result of the latest operation of any archive in the process.
    static std::uint32_t LastResult() noexcept;

    ~ZipArchiveWriter();

  private:
    struct state;
    ZipArchiveWriter();
    std::unique_ptr<state> state_;
};

} // namespace zv::zip
