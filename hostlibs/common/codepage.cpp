// iconv-backed code-page conversion for the host libraries. Descriptors are
// opened once per thread and pair of code pages: opening one costs far more
// than converting a cell, and the tables convert cell by cell.
#include "common/codepage.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <string>
#include <vector>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16 is handed to iconv as UTF-16LE");

namespace zv::hostcommon
{
namespace
{

// Windows' number for UTF-16LE, used here as the wide side of a conversion.
constexpr unsigned utf16_code_page = 1200;

struct language_page {
    const char* language;
    unsigned code_page;
};

// How Windows picks the ANSI code page from the system language.
constexpr std::array<language_page, 27> language_pages{{
    {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"sr", 1251}, {"mk", 1251}, {"kk", 1251},
    {"cs", 1250}, {"pl", 1250}, {"hu", 1250}, {"sk", 1250}, {"sl", 1250}, {"hr", 1250}, {"ro", 1250},
    {"el", 1253}, {"tr", 1254}, {"he", 1255}, {"ar", 1256}, {"lt", 1257}, {"lv", 1257}, {"et", 1257},
    {"vi", 1258}, {"iw", 1255}, {"sh", 1250}, {"bs", 1250}, {"sq", 1250}, {"ky", 1251},
}};

std::string iconv_name(unsigned code_page)
{
    switch (code_page) {
    case utf16_code_page:
        return "UTF-16LE";
    case utf8_code_page:
        return "UTF-8";
    case 20127:
        return "ASCII";
    default:
        break;
    }
    // Windows numbers the ISO 8859 parts 28591 to 28605.
    if (code_page >= 28591 && code_page <= 28605) {
        return "ISO-8859-" + std::to_string(code_page - 28590);
    }
    return "CP" + std::to_string(code_page);
}

// Code pages whose bytes below 0x80 are ASCII, so ASCII text needs no iconv.
bool ascii_compatible(unsigned cp)
{
    return (cp >= 1250 && cp <= 1258) || cp == utf8_code_page || cp == 866 || cp == 20127 || cp == 437 ||
           cp == 850 || cp == 852 || cp == 855 || cp == 857 || cp == 865 || cp == 874 ||
           (cp >= 28591 && cp <= 28605);
}

bool is_ascii(const unsigned char* p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        if (p[i] >= 0x80) {
            return false;
        }
    }
    return true;
}

struct cached_descriptor {
    unsigned from;
    unsigned to;
    iconv_t cd;
};

// Per-thread descriptors; closed when the thread ends.
class descriptor_cache
{
  public:
    ~descriptor_cache()
    {
        for (const auto& entry : entries_) {
            iconv_close(entry.cd);
        }
    }
    descriptor_cache() = default;
    descriptor_cache(const descriptor_cache&) = delete;
    descriptor_cache& operator=(const descriptor_cache&) = delete;

    iconv_t get(unsigned from, unsigned to)
    {
        for (const auto& entry : entries_) {
            if (entry.from == from && entry.to == to) {
                iconv(entry.cd, nullptr, nullptr, nullptr, nullptr);
                return entry.cd;
            }
        }
        iconv_t cd = iconv_open(iconv_name(to).c_str(), iconv_name(from).c_str());
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            return cd;
        }
        entries_.push_back({from, to, cd});
        return cd;
    }

  private:
    std::vector<cached_descriptor> entries_;
};

iconv_t descriptor(unsigned from, unsigned to)
{
    thread_local descriptor_cache cache;
    return cache.get(from, to);
}

bool valid(iconv_t cd)
{
    return cd != reinterpret_cast<iconv_t>(-1);
}

// Runs iconv over the whole input. On a byte sequence it cannot convert it
// appends `replacement` and skips `skip` input bytes.
void run(iconv_t cd, const char* in, std::size_t in_bytes, std::string& out, std::string_view replacement,
         std::size_t skip)
{
    out.resize(in_bytes * 2 + 16);
    char* src = const_cast<char*>(in);
    std::size_t src_left = in_bytes;
    std::size_t used = 0;
    while (src_left > 0) {
        char* dst = out.data() + used;
        std::size_t dst_left = out.size() - used;
        const std::size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
        used = out.size() - dst_left;
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG || out.size() - used < replacement.size() + 8) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        // EILSEQ or EINVAL (an incomplete sequence at the end).
        out.replace(used, replacement.size(), replacement);
        used += replacement.size();
        const std::size_t step = skip < src_left ? skip : src_left;
        src += step;
        src_left -= step;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
}

unsigned parse_code_page(const char* text)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value <= 0 || value > 65535) {
        return 0;
    }
    return static_cast<unsigned>(value);
}

} // namespace

unsigned code_page_of_language(std::string_view locale)
{
    const std::size_t stop = locale.find_first_of("_.@-");
    const std::string_view language = locale.substr(0, stop);
    for (const auto& entry : language_pages) {
        if (language == entry.language) {
            return entry.code_page;
        }
    }
    return 1252;
}

unsigned ansi_code_page()
{
    if (const char* forced = std::getenv("ZV_ANSI_CODEPAGE"); forced != nullptr) {
        if (const unsigned cp = parse_code_page(forced); cp != 0) {
            return cp;
        }
    }
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return code_page_of_language(value);
        }
    }
    return 1252;
}

bool is_ascii_compatible(unsigned code_page)
{
    return ascii_compatible(code_page);
}

bool is_supported(unsigned code_page)
{
    return code_page != 0 && valid(descriptor(code_page, utf16_code_page));
}

bool to_utf16(std::string_view text, unsigned code_page, std::u16string& out)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    if (ascii_compatible(code_page) && is_ascii(bytes, text.size())) {
        out.assign(bytes, bytes + text.size());
        return true;
    }
    const iconv_t cd =
        code_page == 0 ? reinterpret_cast<iconv_t>(-1) : descriptor(code_page, utf16_code_page);
    if (!valid(cd)) {
        out.clear();
        return false;
    }
    std::string wide_bytes;
    run(cd, text.data(), text.size(), wide_bytes, std::string_view("\xFD\xFF", 2), 1);
    out.resize(wide_bytes.size() / 2);
    std::memcpy(out.data(), wide_bytes.data(), out.size() * 2);
    return true;
}

bool from_utf16(std::u16string_view text, unsigned code_page, std::string& out)
{
    bool ascii = ascii_compatible(code_page);
    for (std::size_t i = 0; ascii && i < text.size(); ++i) {
        ascii = text[i] < 0x80;
    }
    if (ascii) {
        out.assign(text.begin(), text.end());
        return true;
    }
    const iconv_t cd =
        code_page == 0 ? reinterpret_cast<iconv_t>(-1) : descriptor(utf16_code_page, code_page);
    if (!valid(cd)) {
        out.clear();
        return false;
    }
    run(cd, reinterpret_cast<const char*>(text.data()), text.size() * 2, out, "?", 2);
    return true;
}

bool recode(std::string_view text, unsigned from_page, unsigned to_page, std::string& out)
{
    if (from_page == to_page ||
        (ascii_compatible(from_page) && ascii_compatible(to_page) &&
         is_ascii(reinterpret_cast<const unsigned char*>(text.data()), text.size()))) {
        out.assign(text);
        return true;
    }
    std::u16string wide;
    return to_utf16(text, from_page, wide) && from_utf16(wide, to_page, out);
}

} // namespace zv::hostcommon
