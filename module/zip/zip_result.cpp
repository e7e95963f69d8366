#include "zip/zip_result.h"

namespace zv::zip
{

const char* result_text(std::uint32_t code) noexcept
{
    switch (code) {
    case zr_ok:
        return "Success";
    case zr_duplicate_failed:
        return "Culdn't duplicate handle";
    case zr_open_failed:
        return "Couldn't create/open file";
    case zr_no_memory:
        return "Failed to allocate memory";
    case zr_write_failed:
        return "Error writing to file";
    case zr_not_found:
        return "File not found in the zipfile";
    case zr_more_data:
        return "Still more data to unzip";
    case zr_corrupt:
        return "Zipfile is corrupt or not a zipfile";
    case zr_read_failed:
        return "Error reading file";
    case zr_bad_arguments:
        return "Caller: faulty arguments";
    case zr_not_memory:
        return "Caller: can only get memory of a memory zipfile";
    case zr_no_space:
        return "Caller: not enough space allocated for memory zipfile";
    case zr_previous_error:
        return "Caller: there was a previous error";
    case zr_ended:
        return "Caller: additions to the zip have already been ended";
    case zr_size_wrong:
        return "Zip-bug: the anticipated size turned out wrong";
    case zr_partly_unzipped:
        return "Caller: the file had already been partially unzipped";
    case zr_mixed_modes:
        return "Caller: mixing creation and opening of zip";
    case zr_not_initialised:
        return "Zip-bug: internal initialisation not completed";
    case zr_unseekable:
        return "Zip-bug: trying to seek the unseekable";
    case zr_changed_mind:
        return "Zip-bug: tried to change mind, but not allowed";
    case zr_flation_error:
        return "Zip-bug: an internal error during flation";
    default:
        return "unknown zip result code";
    }
}

} // namespace zv::zip
