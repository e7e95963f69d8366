// Buffered byte output of one package part file.
//
// Everything the XML writer produces goes through here: text is encoded from
// UTF-16 straight into a 64 KiB buffer, and full buffers go to the file in one
// platform write each, so a worksheet of millions of cells costs no heap
// allocation per cell.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_io.h"

namespace zv::xlsx
{

class PartStream
{
  public:
    PartStream() : buffer_(std::make_unique_for_overwrite<char[]>(kBufferBytes)) {}
    PartStream(const PartStream&) = delete;
    PartStream& operator=(const PartStream&) = delete;
    ~PartStream();

    // Creates (or replaces) the file; false when it cannot be created.
    bool Open(const std::u16string& path);
    bool IsOpen() const { return file_ != zv::platform::invalid_file; }

    // Appends bytes as they are (already UTF-8).
    void Write(std::string_view bytes)
    {
        if (bytes.size() <= kBufferBytes - used_) {
            bytes.copy(buffer_.get() + used_, bytes.size());
            used_ += bytes.size();
        } else {
            WriteSlow(bytes);
        }
    }
    void Put(char c)
    {
        if (used_ == kBufferBytes)
            Flush();
        buffer_[used_++] = c;
    }
    // Appends the UTF-8 form of UTF-16 text.
    void WriteUtf16(std::u16string_view text);

    // Writes what is buffered and closes the file; false when any write of
    // this file fell short. Closing a closed stream does nothing.
    bool Close();

  private:
    static constexpr std::size_t kBufferBytes = 64 * 1024;
    void Flush();
    void WriteSlow(std::string_view bytes);

    zv::platform::file_handle file_ = zv::platform::invalid_file;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
    std::string scratch_; // for texts too long to encode in place
};

} // namespace zv::xlsx
