#include "zip/zip_archive_writer.h"

#include "foundation/guard.h"
#include "zip/deflate_compressor.h"
#include "zip/zip_entry.h"
#include "zip/zip_format.h"
#include "zip/zip_output.h"
#include "zip/zip_source.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace zv::zip
{

namespace
{

// One value for the whole process, overwritten by every operation; the
// module runs on one thread, so no lock.
std::uint32_t last_result = zr_ok;

std::uint32_t remember(std::uint32_t result) noexcept
{
    last_result = result;
    return result;
}

// Making a compressor allocates and clears about 1.7 MiB, as much work as
// packing a small workbook: an archive hands its compressor on to the next
// archive made on the same thread, as it hands it on from entry to entry.
std::unique_ptr<DeflateCompressor>& spare_compressor() noexcept
{
    thread_local std::unique_ptr<DeflateCompressor> spare;
    return spare;
}

} // namespace

struct ZipArchiveWriter::state {
    ZipOutput output;
    std::u16string created_path; // the file the writer created, removed if writing failed
    std::uint32_t start_offset = 0;
    std::uint64_t written = 0; // archive bytes so far, from the start offset
    bool ended = false;
    std::vector<ZipEntryHeader> entries;
    std::unique_ptr<DeflateCompressor> deflate; // taken on first use, kept for later entries
    std::unique_ptr<std::uint8_t[]> read_buffer;

    ~state()
    {
        if (deflate && !spare_compressor()) {
            spare_compressor() = std::move(deflate);
        }
    }

    std::uint32_t add(std::u16string name, const void* source, std::uint32_t length, std::uint32_t kind);
    std::uint32_t open_source(ZipSource& source, const void* target, std::uint32_t length,
                              std::uint32_t kind);
    void fill_header(ZipEntryHeader& header, const ZipSource& source, std::uint16_t method) const;
    std::uint32_t write_data(ZipEntryHeader& header, ZipSource& source, bool folder,
                             std::uint64_t& compressed);
    std::uint32_t copy_stored(ZipSource& source, std::uint64_t& compressed);
    std::uint32_t copy_deflated(ZipEntryHeader& header, ZipSource& source, std::uint64_t& compressed);
    std::uint32_t finish_local_header(ZipEntryHeader& header, std::uint32_t announced_size);
    std::uint32_t put_record(const std::uint8_t* bytes, std::size_t size);
    std::uint32_t end_archive();
};

ZipArchiveHandle::ZipArchiveHandle() = default;
ZipArchiveHandle::~ZipArchiveHandle() = default;
ZipArchiveWriter::ZipArchiveWriter() : state_(new state) {}
ZipArchiveWriter::~ZipArchiveWriter() = default;

std::uint32_t ZipArchiveWriter::state::put_record(const std::uint8_t* bytes, std::size_t size)
{
    const std::uint32_t result = output.put(bytes, size);
    written += size;
    return result;
}

std::uint32_t ZipArchiveWriter::state::open_source(ZipSource& source, const void* target,
                                                   std::uint32_t length, std::uint32_t kind)
{
    if (kind == zip_source_folder) {
        source.open_folder();
        return zr_ok;
    }
    if (kind == zip_source_memory) {
        if (target == nullptr && length != 0) {
            return zr_bad_arguments;
        }
        source.open_memory(target, length);
        return zr_ok;
    }
    if (kind != zip_source_file || target == nullptr) {
        return zr_bad_arguments;
    }
    return source.open_file(static_cast<const char16_t*>(target));
}

void ZipArchiveWriter::state::fill_header(ZipEntryHeader& header, const ZipSource& source,
                                          std::uint16_t method) const
{
    header.version_made_by = zip_version_made_by;
    header.version_needed = zip_version_needed;
    header.flags = zip_flag_data_descriptor;
    header.local_flags = header.flags;
    header.method = method;
    header.dos_time = source.dos_time();
    header.crc = 0;
    const bool size_known = source.size() >= 0;
    header.compressed_size =
        method == zip_method_stored && size_known ? static_cast<std::uint32_t>(source.size()) : 0;
    header.uncompressed_size = size_known ? static_cast<std::uint32_t>(source.size()) : 0;
    header.external_attributes = source.external_attributes();
    header.local_header_offset = static_cast<std::uint32_t>(start_offset + written);
    set_time_extras(header, source.modification_time(), source.access_time(), source.creation_time());
}

std::uint32_t ZipArchiveWriter::state::copy_stored(ZipSource& source, std::uint64_t& compressed)
{
    for (;;) {
        const std::int64_t got = source.read(read_buffer.get(), zip_block_bytes);
        if (got < 0) {
            return zr_write_failed;
        }
        if (got == 0) {
            return zr_ok;
        }
        if (output.put(read_buffer.get(), static_cast<std::size_t>(got)) != zr_ok) {
            return zr_write_failed;
        }
        compressed += static_cast<std::uint64_t>(got);
    }
}

namespace
{

// Glue between the compressor's reader and sink and one entry's source and
// the archive's output.
struct deflate_glue {
    ZipSource* source;
    ZipOutput* output;
    std::uint64_t* compressed;
};

std::int64_t glue_read(void* context, std::uint8_t* buffer, std::size_t size_bytes)
{
    return static_cast<deflate_glue*>(context)->source->read(buffer, size_bytes);
}

bool glue_write(void* context, const std::uint8_t* data, std::size_t size_bytes)
{
    auto* glue = static_cast<deflate_glue*>(context);
    if (glue->output->put(data, size_bytes) != zr_ok) {
        return false;
    }
    *glue->compressed += size_bytes;
    return true;
}

} // namespace

std::uint32_t ZipArchiveWriter::state::copy_deflated(ZipEntryHeader& header, ZipSource& source,
                                                     std::uint64_t& compressed)
{
    if (!deflate) {
        deflate = std::move(spare_compressor());
    }
    if (!deflate) {
        deflate.reset(new (std::nothrow) DeflateCompressor);
        if (!deflate) {
            return zr_no_memory;
        }
    }
    header.flags |= DeflateCompressor::entry_flags(zip_pack_level);
    deflate_glue glue{&source, &output, &compressed};
    const char* error = deflate->compress(zip_pack_level, glue_read, glue_write, &glue);
    return error == nullptr ? zr_ok : zr_write_failed;
}

std::uint32_t ZipArchiveWriter::state::write_data(ZipEntryHeader& header, ZipSource& source, bool folder,
                                                  std::uint64_t& compressed)
{
    if (folder) {
        return zr_ok;
    }
    return header.method == zip_method_stored ? copy_stored(source, compressed)
                                              : copy_deflated(header, source, compressed);
}

// Puts the final CRC and sizes where a reader finds them: into the local
// header again when the output can seek, else into a data descriptor.
std::uint32_t ZipArchiveWriter::state::finish_local_header(ZipEntryHeader& header,
                                                           std::uint32_t announced_size)
{
    std::uint8_t record[zip_max_record_bytes];
    if (output.can_seek() && (header.flags & zip_flag_encrypted) == 0) {
        header.flags &= static_cast<std::uint16_t>(~zip_flag_data_descriptor);
        header.local_flags = header.flags;
        const std::uint32_t sought = output.seek(header.local_header_offset);
        if (sought != zr_ok) {
            return sought;
        }
        if (output.put(record, encode_local_header(header, record)) != zr_ok) {
            return zr_write_failed;
        }
        return output.seek(start_offset + written);
    }
    if (header.method == zip_method_stored && header.compressed_size != announced_size) {
        return zr_changed_mind;
    }
    header.flags = header.local_flags;
    if (put_record(record, encode_data_descriptor(header, record)) != zr_ok) {
        return zr_write_failed;
    }
    return zr_ok;
}

std::uint32_t ZipArchiveWriter::state::add(std::u16string name, const void* source_target,
                                           std::uint32_t length, std::uint32_t kind)
{
    if (output.sticky_error() != zr_ok) {
        return zr_previous_error;
    }
    if (ended) {
        return zr_ended;
    }
    for (char16_t& c : name) {
        c = c == u'\\' ? u'/' : c;
    }
    if (name.empty() || entries.size() >= zip_max_entries) {
        return zr_bad_arguments;
    }
    const bool folder = kind == zip_source_folder;
    if (folder && name.back() != u'/') {
        name.push_back(u'/');
    }
    std::string utf8;
    if (!entry_name_utf8(name, utf8)) {
        return zr_bad_arguments;
    }
    const std::uint16_t method =
        folder || has_stored_extension(name) ? zip_method_stored : zip_method_deflated;
    ZipSource source;
    if (const std::uint32_t opened = open_source(source, source_target, length, kind); opened != zr_ok) {
        return opened;
    }
    ZipEntryHeader header;
    std::memcpy(header.name, utf8.data(), utf8.size());
    header.name_length = static_cast<std::uint16_t>(utf8.size());
    fill_header(header, source, method);
    const std::uint32_t announced_size = header.compressed_size;

    std::uint8_t record[zip_max_record_bytes];
    if (const std::uint32_t put = put_record(record, encode_local_header(header, record)); put != zr_ok) {
        return put;
    }
    std::uint64_t compressed = 0;
    const std::uint32_t data = write_data(header, source, folder, compressed);
    source.close();
    written += compressed;
    if (output.sticky_error() != zr_ok) {
        return output.sticky_error();
    }
    if (data != zr_ok) {
        return data == zr_no_memory ? data : zr_write_failed;
    }
    if (start_offset + written > 0xFFFFFFFFu) {
        output.set_sticky_error(zr_bad_arguments); // beyond the 32-bit format
        return zr_bad_arguments;
    }
    header.crc = source.crc();
    header.compressed_size = static_cast<std::uint32_t>(compressed);
    header.uncompressed_size = source.bytes_read();
    if (const std::uint32_t finished = finish_local_header(header, announced_size); finished != zr_ok) {
        return finished;
    }
    entries.push_back(header);
    return zr_ok;
}

std::uint32_t ZipArchiveWriter::state::end_archive()
{
    ended = true;
    const std::uint64_t directory_start = written;
    bool failed = false;
    std::uint8_t record[zip_max_record_bytes];
    for (const ZipEntryHeader& header : entries) {
        failed |= put_record(record, encode_central_header(header, record)) != zr_ok;
    }
    const std::uint32_t count = static_cast<std::uint32_t>(entries.size());
    entries.clear();
    entries.shrink_to_fit();
    const std::size_t size = encode_end_record(
        static_cast<std::uint16_t>(count), static_cast<std::uint32_t>(written - directory_start),
        static_cast<std::uint32_t>(start_offset + directory_start), record);
    failed |= put_record(record, size) != zr_ok;
    return failed ? zr_write_failed : zr_ok;
}

ZipArchiveHandle* ZipArchiveWriter::Create(const void* target, std::uint32_t capacity, std::uint32_t mode,
                                           const char* password) noexcept
{
    // An exception (out of memory) leaves zr_no_memory as the last result.
    remember(zr_no_memory);
    return zv::foundation::guarded<ZipArchiveHandle*>(nullptr, [&]() -> ZipArchiveHandle* {
        if ((password != nullptr && password[0] != 0) || (mode != zip_mode_file && mode != zip_mode_memory) ||
            (mode == zip_mode_file && target == nullptr)) {
            remember(zr_bad_arguments);
            return nullptr;
        }
        if (mode == zip_mode_memory && capacity == 0) {
            remember(zr_no_space);
            return nullptr;
        }
        std::unique_ptr<ZipArchiveHandle> handle(new ZipArchiveHandle);
        handle->writer.reset(new ZipArchiveWriter);
        state& s = *handle->writer->state_;
        s.read_buffer.reset(new std::uint8_t[zip_block_bytes]);
        if (mode == zip_mode_memory) {
            if (target != nullptr) {
                s.output.attach_memory(static_cast<std::uint8_t*>(const_cast<void*>(target)), capacity);
            } else if (!s.output.allocate_memory(capacity)) {
                remember(zr_no_memory);
                return nullptr;
            }
        } else {
            s.created_path = static_cast<const char16_t*>(target);
            const platform::file_handle file = platform::create_file_write(s.created_path);
            if (file == platform::invalid_file) {
                remember(zr_open_failed);
                return nullptr;
            }
            s.output.attach_file(file, true);
        }
        remember(zr_ok);
        return handle.release();
    });
}

std::uint32_t ZipArchiveWriter::AddEntry(ZipArchiveHandle* handle, const char16_t* name, const void* source,
                                         std::uint32_t length, std::uint32_t kind) noexcept
{
    if (handle == nullptr || handle->kind != zip_handle_creating || !handle->writer) {
        return remember(handle == nullptr ? zr_bad_arguments : zr_mixed_modes);
    }
    if (name == nullptr) {
        return remember(zr_bad_arguments);
    }
    return remember(zv::foundation::guarded<std::uint32_t>(
        zr_no_memory, [&] { return handle->writer->state_->add(name, source, length, kind); }));
}

std::uint32_t ZipArchiveWriter::Close(ZipArchiveHandle* handle) noexcept
{
    if (handle == nullptr || handle->kind != zip_handle_creating || !handle->writer) {
        return remember(handle == nullptr ? zr_bad_arguments : zr_mixed_modes);
    }
    state& s = *handle->writer->state_;
    std::uint32_t result = s.ended ? zr_ok : s.end_archive();
    const bool failed = result != zr_ok || s.output.sticky_error() != zr_ok;
    s.output.release();
    if (failed && !s.created_path.empty()) {
        platform::remove_file(s.created_path); // never leave a half-written archive
    }
    delete handle;
    return remember(result);
}

std::uint32_t ZipArchiveWriter::GetMemoryBlock(ZipArchiveHandle* handle, void** base,
                                               std::uint32_t* length) noexcept
{
    if (handle == nullptr || handle->kind != zip_handle_creating || !handle->writer) {
        return remember(handle == nullptr ? zr_bad_arguments : zr_mixed_modes);
    }
    state& s = *handle->writer->state_;
    if (!s.output.is_memory()) {
        return remember(zr_not_memory);
    }
    const std::uint32_t result = s.ended ? zr_ok : s.end_archive();
    if (base != nullptr) {
        *base = s.output.memory_base();
    }
    if (length != nullptr) {
        *length = static_cast<std::uint32_t>(s.written);
    }
    return remember(result);
}

std::uint32_t ZipArchiveWriter::ResultMessage(std::uint32_t code, char* text, std::uint32_t size) noexcept
{
    const char* message = result_text(code == zr_last_result ? last_result : code);
    const std::size_t full = std::strlen(message);
    if (text != nullptr && size > 0) {
        const std::size_t n = full < size - 1 ? full : size - 1;
        std::memcpy(text, message, n);
        text[n] = 0;
    }
    return static_cast<std::uint32_t>(full);
}

std::uint32_t ZipArchiveWriter::LastResult() noexcept
{
    return last_result;
}

} // namespace zv::zip
