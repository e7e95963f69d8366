#include "xlsx/part_stream.h"

#include "xlsx/utf8.h"

namespace SimpleXlsx
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
    // One UTF-16 unit never takes more than three UTF-8 bytes.
    if (text.size() * 3 > kBufferBytes - used_) {
        scratch_.clear();
        AppendUtf8(text, scratch_);
        Write(scratch_);
        return;
    }
    char* out = buffer_.get() + used_;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            *out++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *out++ = static_cast<char>(0xC0 | (c >> 6));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0xD800 || c > 0xDFFF) {
            *out++ = static_cast<char>(0xE0 | (c >> 12));
            *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            // Surrogates are rare: hand the rest to the general encoder.
            used_ = static_cast<std::size_t>(out - buffer_.get());
            scratch_.clear();
            AppendUtf8(text.substr(i), scratch_);
            Write(scratch_);
            return;
        }
    }
    used_ = static_cast<std::size_t>(out - buffer_.get());
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

} // namespace SimpleXlsx
