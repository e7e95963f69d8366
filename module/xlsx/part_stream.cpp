#include "xlsx/part_stream.h"

#include "xlsx/utf8.h"

#include "foundation/utf.h"

namespace zv::xlsx
{

PartStream::~PartStream()
{
    Close();
}

bool PartStream::Open(const std::u16string& path)
{
    Close();
    used_ = 0;
    failed_ = false;
    file_ = zv::platform::create_file_write(path);
    return IsOpen();
}

void PartStream::Flush()
{
    if (used_ == 0)
        return;
    if (IsOpen()) {
        const auto done = zv::platform::write_file(file_, buffer_.get(), used_);
        if (done != static_cast<std::int64_t>(used_))
            failed_ = true;
    }
    used_ = 0;
}

void PartStream::WriteSlow(std::string_view bytes)
{
    Flush();
    if (bytes.size() < kBufferBytes) {
        bytes.copy(buffer_.get(), bytes.size());
        used_ = bytes.size();
    } else if (IsOpen()) {
        const auto done = zv::platform::write_file(file_, bytes.data(), bytes.size());
        if (done != static_cast<std::int64_t>(bytes.size()))
            failed_ = true;
    }
}

void PartStream::WriteUtf16(std::u16string_view text)
{
    if (text.size() * zv::foundation::utf8_max_bytes_per_unit > kBufferBytes - used_) {
        scratch_.clear();
        AppendUtf8(text, scratch_);
        Write(scratch_);
        return;
    }
    used_ =
        static_cast<std::size_t>(zv::foundation::encode_utf8(text, buffer_.get() + used_) - buffer_.get());
}

bool PartStream::Close()
{
    if (!IsOpen())
        return !failed_;
    Flush();
    zv::platform::close_file(file_);
    file_ = zv::platform::invalid_file;
    return !failed_;
}

} // namespace zv::xlsx
