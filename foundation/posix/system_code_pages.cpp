// Code pages on POSIX through the C library's iconv. Descriptors are opened
// once per thread and direction: opening one costs far more than converting
// a table cell.
#include "foundation/system_code_pages.h"

#include "foundation/utf.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16 is handed to iconv as UTF-16LE");

namespace zv::foundation::system
{
namespace
{

constexpr const char* utf16_name = "UTF-16LE";

std::string iconv_name(unsigned code_page)
{
    switch (code_page) {
    case 20127:
        return "ASCII";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 10000:
        return "MACINTOSH";
    case 10007:
        return "MAC-CYRILLIC";
    case 54936:
        return "GB18030";
    default:
        break;
    }
    // Windows numbers the ISO 8859 parts 28591 to 28605.
    if (code_page >= 28591 && code_page <= 28605)
        return "ISO-8859-" + std::to_string(code_page - 28590);
    return "CP" + std::to_string(code_page);
}

const iconv_t no_descriptor = reinterpret_cast<iconv_t>(-1);

// Descriptors of this thread, closed when it ends.
class descriptor_cache
{
  public:
    descriptor_cache() = default;
    descriptor_cache(const descriptor_cache&) = delete;
    descriptor_cache& operator=(const descriptor_cache&) = delete;
    ~descriptor_cache()
    {
        for (const auto& entry : entries_)
            if (entry.cd != no_descriptor)
                iconv_close(entry.cd);
    }

    // A descriptor in its initial state; no_descriptor when iconv does not
    // know the code page (remembered, so it is asked once).
    iconv_t get(unsigned code_page, bool to_utf16)
    {
        for (const auto& entry : entries_) {
            if (entry.code_page == code_page && entry.to_utf16 == to_utf16) {
                if (entry.cd != no_descriptor)
                    iconv(entry.cd, nullptr, nullptr, nullptr, nullptr);
                return entry.cd;
            }
        }
        const std::string name = iconv_name(code_page);
        const iconv_t cd =
            to_utf16 ? iconv_open(utf16_name, name.c_str()) : iconv_open(name.c_str(), utf16_name);
        entries_.push_back({code_page, to_utf16, cd});
        return cd;
    }

  private:
    struct cached {
        unsigned code_page;
        bool to_utf16;
        iconv_t cd;
    };
    std::vector<cached> entries_;
};

iconv_t descriptor(unsigned code_page, bool to_utf16)
{
    thread_local descriptor_cache cache;
    return cache.get(code_page, to_utf16);
}

// Runs the whole input through iconv; each input unit that cannot be
// converted (unit_size bytes) is skipped and `replacement` appended.
std::string run_iconv(iconv_t cd, const char* input, std::size_t size_bytes, std::size_t unit_size,
                      std::string_view replacement)
{
    std::string out;
    std::vector<char> buffer(4 * size_bytes + 16);
    char* in = const_cast<char*>(input);
    std::size_t in_left = size_bytes;
    while (in_left > 0) {
        char* dst = buffer.data();
        std::size_t dst_left = buffer.size();
        const std::size_t rc = iconv(cd, &in, &in_left, &dst, &dst_left);
        const int error = errno;
        out.append(buffer.data(), buffer.size() - dst_left);
        if (rc != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        out.append(replacement); // EILSEQ, or EINVAL for a sequence cut short
        const std::size_t skip = unit_size < in_left ? unit_size : in_left;
        in += skip;
        in_left -= skip;
    }
    // A stateful decoder may still hold its last character.
    char* dst = buffer.data();
    std::size_t dst_left = buffer.size();
    if (iconv(cd, nullptr, nullptr, &dst, &dst_left) != static_cast<std::size_t>(-1))
        out.append(buffer.data(), buffer.size() - dst_left);
    return out;
}

const std::string_view replacement_le("\xFD\xFF", 2);

std::u16string utf16_of_le_bytes(const std::string& bytes)
{
    std::u16string out(bytes.size() / 2, u'\0');
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
}

} // namespace

bool single_byte_units(unsigned code_page, char16_t (&units)[256])
{
    const iconv_t cd = descriptor(code_page, true);
    if (cd == no_descriptor)
        return false;
    // Byte by byte, so a stateful decoder never composes two bytes into one
    // character.
    for (int byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const std::u16string got = utf16_of_le_bytes(run_iconv(cd, &in, 1, 1, replacement_le));
        units[byte] = got.size() == 1 ? got[0] : replacement_character;
    }
    return true;
}

bool multi_byte_to_utf16(unsigned code_page, std::string_view text, std::u16string& out)
{
    const iconv_t cd = descriptor(code_page, true);
    if (cd == no_descriptor)
        return false;
    out = utf16_of_le_bytes(run_iconv(cd, text.data(), text.size(), 1, replacement_le));
    return true;
}

bool utf16_to_multi_byte(unsigned code_page, std::u16string_view text, std::string& out)
{
    const iconv_t cd = descriptor(code_page, false);
    if (cd == no_descriptor)
        return false;
    std::string le(text.size() * 2, '\0');
    std::memcpy(le.data(), text.data(), le.size());
    out = run_iconv(cd, le.data(), le.size(), 2, "?");
    return true;
}

unsigned native_ansi_code_page() noexcept
{
    return 0; // derived from the locale by the portable code
}

} // namespace zv::foundation::system
