// Result codes of the archive writer and their fixed message texts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv::zip
{

// Every operation of the archive writer answers one of these codes. Codes in
// the hundreds are operating-system failures, 0x10000-0x80000 are misuse by
// the caller, 0x1000000 and above are internal inconsistencies. The writer
// produces ok, open_failed, no_memory, write_failed, bad_arguments,
// not_memory, no_space, previous_error, ended, mixed_modes, not_initialised,
// unseekable and changed_mind; the others exist for the message table.
enum ZipResult : std::uint32_t {
    zr_ok = 0,                      // success
    zr_duplicate_failed = 0x100,    // a handle could not be duplicated
    zr_open_failed = 0x200,         // a file could not be created or opened
    zr_no_memory = 0x300,           // an allocation or a memory block failed
    zr_write_failed = 0x400,        // a write reached the output short
    zr_not_found = 0x500,           // (reading only) entry not in the archive
    zr_more_data = 0x600,           // (reading only) more data to extract
    zr_corrupt = 0x700,             // (reading only) not a valid archive
    zr_read_failed = 0x800,         // a read failed
    zr_bad_arguments = 0x10000,     // faulty arguments or a feature not provided
    zr_not_memory = 0x20000,        // memory block asked of a file archive
    zr_no_space = 0x30000,          // memory archive capacity reached
    zr_previous_error = 0x40000,    // an earlier error is sticky
    zr_ended = 0x50000,             // the central directory is already written
    zr_size_wrong = 0x60000,        // (reading only) size turned out wrong
    zr_partly_unzipped = 0x70000,   // (reading only) entry partly extracted
    zr_mixed_modes = 0x80000,       // the handle is not one of a created archive
    zr_not_initialised = 0x1000000, // neither a file nor a memory output
    zr_unseekable = 0x2000000,      // a seek on an output that cannot seek
    zr_changed_mind = 0x4000000,    // announced method or size changed
    zr_flation_error = 0x5000000,   // internal error of the compressor
};

// Stands for the last result in ResultMessage.
inline constexpr std::uint32_t zr_last_result = 1;

// The fixed English text of a code; "unknown zip result code" for any other.
const char* result_text(std::uint32_t code) noexcept;

} // namespace zv::zip
