// Code pages: the locale rule, the table of known code pages, and the
// conversions. Single-byte code pages convert through two tables built once
// per thread from the system's own conversion (no thread waits for another);
// UTF-8 through our own codec; the other multi-byte pages through the system.
#include "foundation/code_page.h"

#include "foundation/system_code_pages.h"
#include "foundation/utf.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <memory>

namespace zv::foundation
{
namespace
{

constexpr char default_char = '?';

struct language_code_page {
    const char* language;
    unsigned code_page;
};

// How Windows picks the ANSI code page from the system's language.
constexpr language_code_page language_code_pages[] = {
    {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"sr", 1251}, {"mk", 1251},
    {"kk", 1251}, {"ky", 1251}, {"cs", 1250}, {"pl", 1250}, {"hu", 1250}, {"sk", 1250},
    {"sl", 1250}, {"hr", 1250}, {"bs", 1250}, {"sq", 1250}, {"ro", 1250}, {"el", 1253},
    {"tr", 1254}, {"az", 1254}, {"he", 1255}, {"iw", 1255}, {"ar", 1256}, {"fa", 1256},
    {"ur", 1256}, {"lt", 1257}, {"lv", 1257}, {"et", 1257}, {"vi", 1258},
};

// The code pages converted by byte tables; every other known page but
// UTF-8 is multi-byte and converted by the system.
constexpr unsigned single_byte_code_pages[] = {
    437,   737,   775,   850,   852,   855,   857,   860,   861,   863,   865,   866,   869,
    874,   1250,  1251,  1252,  1253,  1254,  1255,  1256,  1257,  1258,  10000, 10007, 20127,
    20866, 21866, 28591, 28592, 28593, 28594, 28595, 28596, 28597, 28598, 28599, 28603, 28605,
};

constexpr unsigned multi_byte_code_pages[] = {932, 936, 949, 950, 54936};

bool is_single_byte(unsigned code_page)
{
    return std::find(std::begin(single_byte_code_pages), std::end(single_byte_code_pages), code_page) !=
           std::end(single_byte_code_pages);
}

bool is_multi_byte(unsigned code_page)
{
    return std::find(std::begin(multi_byte_code_pages), std::end(multi_byte_code_pages), code_page) !=
           std::end(multi_byte_code_pages);
}

bool is_ascii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool is_ascii(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

// Both directions of a single-byte code page. A unit without a byte maps to
// 0 in to_byte (only U+0000 has byte 0).
struct byte_table {
    char16_t to_wide[256] = {};
    std::array<unsigned char, 0x10000> to_byte{};
};

// The Windows code pages leave a few bytes of 0x80-0x9F undefined; Windows
// passes them through as the C1 control of the same value.
bool passes_c1_through(unsigned code_page)
{
    return code_page >= 1250 && code_page <= 1258;
}

std::unique_ptr<byte_table> build_byte_table(unsigned code_page)
{
    char16_t units[256];
    if (!system::single_byte_units(code_page, units))
        return nullptr;
    auto table = std::make_unique<byte_table>();
    for (int byte = 255; byte >= 0; --byte) {
        char16_t unit = units[byte];
        if (unit == replacement_character && byte >= 0x80 && byte <= 0x9F && passes_c1_through(code_page))
            unit = static_cast<char16_t>(byte);
        table->to_wide[byte] = unit;
        // Walking down makes the lowest byte win when two bytes share a unit.
        if (unit != replacement_character)
            table->to_byte[unit] = static_cast<unsigned char>(byte);
    }
    return table;
}

// Null when the system does not know the code page.
const byte_table* byte_table_for(unsigned code_page)
{
    thread_local unsigned last_page = 0;
    thread_local const byte_table* last_table = nullptr;
    if (last_page == code_page && last_table != nullptr)
        return last_table;
    thread_local std::map<unsigned, std::unique_ptr<byte_table>> tables;
    auto found = tables.find(code_page);
    if (found == tables.end())
        found = tables.emplace(code_page, build_byte_table(code_page)).first;
    last_page = code_page;
    last_table = found->second.get();
    return last_table;
}

bool decode_single_byte(std::string_view text, unsigned code_page, std::u16string& out)
{
    const byte_table* table = byte_table_for(code_page);
    if (table == nullptr)
        return false;
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = table->to_wide[static_cast<unsigned char>(text[i])];
    return true;
}

bool encode_single_byte(std::u16string_view text, unsigned code_page, std::string& out, bool& exact)
{
    const byte_table* table = byte_table_for(code_page);
    if (table == nullptr)
        return false;
    out.reserve(text.size());
    exact = true;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t value = next_scalar(text, i);
        const unsigned char byte = value < 0x10000 ? table->to_byte[value] : 0;
        const bool has_byte = byte != 0 || value == 0;
        exact = exact && has_byte;
        out.push_back(has_byte ? static_cast<char>(byte) : default_char);
    }
    return true;
}

// A start of multi-byte text ends between two characters when it decodes to
// a start of what the whole text decodes to. No character of these pages
// takes more than four bytes, so at most four starts are tried; text that
// none of them fits is no text of the page and is cut anywhere.
std::size_t multi_byte_fitting_length(std::string_view text, unsigned code_page, std::size_t max_bytes)
{
    std::u16string whole;
    std::u16string start;
    if (!system::multi_byte_to_utf16(code_page, text, whole))
        return max_bytes;
    for (std::size_t n = max_bytes; n > 0 && max_bytes - n < 4; --n)
        if (system::multi_byte_to_utf16(code_page, text.substr(0, n), start) && whole.starts_with(start))
            return n;
    return max_bytes;
}

// ASCII text of an ASCII-compatible code page that the system knows needs no
// conversion: copied, and true.
template <class Text, class Out> bool passed_as_ascii(const Text& text, unsigned code_page, Out& out)
{
    if (!is_ascii_compatible(code_page) || !is_ascii(text) ||
        (code_page != code_page_utf8 && byte_table_for(code_page) == nullptr))
        return false;
    out.assign(text.begin(), text.end());
    return true;
}

// from_utf16, telling in `exact` whether nothing was replaced. Multi-byte
// pages of the system are asked by converting the result back, which only
// a caller that wants to know (check_exact) pays for.
bool encode(std::u16string_view text, unsigned code_page, std::string& out, bool& exact, bool check_exact)
{
    exact = true;
    out.clear();
    if (passed_as_ascii(text, code_page, out))
        return true;
    if (code_page == code_page_utf8) {
        append_utf8(text, out);
        exact = is_well_formed(text);
        return true;
    }
    if (is_single_byte(code_page))
        return encode_single_byte(text, code_page, out, exact);
    if (!is_multi_byte(code_page) || !system::utf16_to_multi_byte(code_page, text, out))
        return false;
    std::u16string back;
    exact = !check_exact || (system::multi_byte_to_utf16(code_page, out, back) && back == text);
    return true;
}

unsigned parse_code_page(const char* text)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || value == 0 || value > 65535)
        return 0;
    return static_cast<unsigned>(value);
}

bool is_utf8_charset(std::string_view charset)
{
    std::string folded;
    for (char c : charset)
        if (c != '-' && c != '_')
            folded.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    return folded == "utf8";
}

} // namespace

unsigned code_page_of_locale(std::string_view locale) noexcept
{
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@-"));
    for (const auto& entry : language_code_pages)
        if (language == entry.language)
            return entry.code_page;
    const std::size_t dot = locale.find('.');
    if (dot != std::string_view::npos) {
        const std::string_view charset = locale.substr(dot + 1, locale.find('@', dot) - dot - 1);
        if (is_utf8_charset(charset))
            return code_page_utf8;
    }
    return code_page_western;
}

unsigned ansi_code_page() noexcept
{
    if (const unsigned native = system::native_ansi_code_page(); native != 0)
        return native;
    if (const char* forced = std::getenv("ZV_ANSI_CODEPAGE"); forced != nullptr)
        if (const unsigned code_page = parse_code_page(forced); code_page != 0)
            return code_page;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return code_page_of_locale(value);
    }
    return code_page_of_locale("C");
}

bool is_ascii_compatible(unsigned code_page) noexcept
{
    return code_page == code_page_utf8 || is_single_byte(code_page);
}

bool is_supported(unsigned code_page) noexcept
{
    if (code_page == code_page_utf8)
        return true;
    if (is_single_byte(code_page))
        return byte_table_for(code_page) != nullptr;
    std::u16string ignored;
    return is_multi_byte(code_page) && system::multi_byte_to_utf16(code_page, {}, ignored);
}

bool to_utf16(std::string_view text, unsigned code_page, std::u16string& out)
{
    out.clear();
    if (passed_as_ascii(text, code_page, out))
        return true;
    if (code_page == code_page_utf8) {
        append_utf16(text, out);
        return true;
    }
    if (is_single_byte(code_page))
        return decode_single_byte(text, code_page, out);
    return is_multi_byte(code_page) && system::multi_byte_to_utf16(code_page, text, out);
}

bool from_utf16(std::u16string_view text, unsigned code_page, std::string& out)
{
    bool ignored = true;
    return encode(text, code_page, out, ignored, false);
}

bool from_utf16(std::u16string_view text, unsigned code_page, std::string& out, bool& exact)
{
    return encode(text, code_page, out, exact, true);
}

// Whether decoding lost anything shows in converting the result back.
bool to_utf16(std::string_view text, unsigned code_page, std::u16string& out, bool& exact)
{
    std::string back;
    exact = false;
    if (!to_utf16(text, code_page, out))
        return false;
    exact = from_utf16(out, code_page, back) && back == text;
    return true;
}

bool recode(std::string_view text, unsigned from_page, unsigned to_page, std::string& out)
{
    if (from_page == to_page) {
        out.assign(text);
        return true;
    }
    std::u16string wide;
    return to_utf16(text, from_page, wide) && from_utf16(wide, to_page, out);
}

bool recode(std::string_view text, unsigned from_page, unsigned to_page, std::string& out, bool& exact)
{
    exact = true;
    if (from_page == to_page) {
        out.assign(text);
        return true;
    }
    std::u16string wide;
    bool decoded = false;
    if (!to_utf16(text, from_page, wide, decoded) || !from_utf16(wide, to_page, out, exact))
        return false;
    exact = exact && decoded;
    return true;
}

std::size_t fitting_length(std::string_view text, unsigned code_page, std::size_t max_bytes)
{
    if (text.size() <= max_bytes)
        return text.size();
    if (code_page == code_page_utf8) {
        std::size_t n = max_bytes;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
        return n;
    }
    // A single-byte page, or one the system does not know: a byte a character.
    return is_multi_byte(code_page) ? multi_byte_fitting_length(text, code_page, max_bytes) : max_bytes;
}

} // namespace zv::foundation
