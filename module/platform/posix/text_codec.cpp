// Code pages on POSIX: the ANSI code page derived from the locale the way the
// reference platform derives it, UTF-8 by our own codec, single-byte code
// pages through a 256-entry table read once from iconv (byte by byte, so
// stateful decoders never compose characters), and every other code page
// through iconv directly.
#include "platform/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace zv::platform
{
namespace
{

constexpr char16_t replacement_unit = 0xFFFD;
constexpr char default_char = '?';

// ---------------------------------------------------------------- ANSI code page

struct language_code_page {
    const char* language;
    unsigned code_page;
};

constexpr language_code_page language_code_pages[] = {
    {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"sr", 1251}, {"mk", 1251},
    {"kk", 1251}, {"cs", 1250}, {"pl", 1250}, {"hu", 1250}, {"sk", 1250}, {"sl", 1250},
    {"hr", 1250}, {"ro", 1250}, {"el", 1253}, {"tr", 1254}, {"he", 1255}, {"ar", 1256},
    {"lt", 1257}, {"lv", 1257}, {"et", 1257}, {"vi", 1258},
};

const char* first_set(std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return nullptr;
}

unsigned code_page_of_locale(const char* locale)
{
    if (locale == nullptr)
        return 1252;
    const std::string_view language(locale, std::strcspn(locale, "_.@"));
    for (const auto& entry : language_code_pages)
        if (language == entry.language)
            return entry.code_page;
    return 1252;
}

// --------------------------------------------------------------------- UTF-8

bool in_range(unsigned char byte, unsigned char low, unsigned char high)
{
    return byte >= low && byte <= high;
}

// The range of the byte after a lead byte; later bytes are 0x80-0xBF. These
// ranges exclude overlong forms, surrogates and values above U+10FFFF.
void second_byte_range(unsigned char lead, unsigned char& low, unsigned char& high)
{
    low = 0x80;
    high = 0xBF;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
}

// Decodes one scalar value at text[i]; advances i past what it consumed.
// An ill-formed sequence gives one U+FFFD for its maximal valid prefix, so
// every stray byte becomes one replacement.
char32_t decode_utf8(const unsigned char* text, std::size_t size, std::size_t& i)
{
    const unsigned char lead = text[i++];
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t value = 0;
    if (in_range(lead, 0xC2, 0xDF)) {
        extra = 1;
        value = lead & 0x1F;
    } else if (in_range(lead, 0xE0, 0xEF)) {
        extra = 2;
        value = lead & 0x0F;
    } else if (in_range(lead, 0xF0, 0xF4)) {
        extra = 3;
        value = lead & 0x07;
    } else
        return replacement_unit;
    unsigned char low = 0;
    unsigned char high = 0;
    second_byte_range(lead, low, high);
    for (int k = 0; k < extra; ++k) {
        if (i >= size || !in_range(text[i], low, high))
            return replacement_unit;
        value = (value << 6) | (text[i] & 0x3F);
        ++i;
        low = 0x80;
        high = 0xBF;
    }
    return value;
}

void append_utf16(std::u16string& out, char32_t value)
{
    if (value < 0x10000) {
        out.push_back(static_cast<char16_t>(value));
        return;
    }
    value -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
}

// Reads one scalar value from UTF-16; a lone surrogate gives U+FFFD.
char32_t decode_utf16(const char16_t* text, std::size_t size, std::size_t& i)
{
    const char16_t unit = text[i++];
    if (unit < 0xD800 || unit > 0xDFFF)
        return unit;
    if (unit <= 0xDBFF && i < size && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
        const char32_t low = text[i++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
    return replacement_unit;
}

// --------------------------------------------------------------------- iconv

struct code_page_name {
    unsigned code_page;
    const char* iconv_name;
    bool single_byte;
};

constexpr code_page_name code_page_names[] = {
    {437, "CP437", true},        {850, "CP850", true},         {852, "CP852", true},
    {855, "CP855", true},        {866, "CP866", true},         {874, "CP874", true},
    {1250, "CP1250", true},      {1251, "CP1251", true},       {1252, "CP1252", true},
    {1253, "CP1253", true},      {1254, "CP1254", true},       {1255, "CP1255", true},
    {1256, "CP1256", true},      {1257, "CP1257", true},       {1258, "CP1258", true},
    {20127, "ASCII", true},      {20866, "KOI8-R", true},      {21866, "KOI8-U", true},
    {28591, "ISO-8859-1", true}, {28592, "ISO-8859-2", true},  {28595, "ISO-8859-5", true},
    {28597, "ISO-8859-7", true}, {28605, "ISO-8859-15", true}, {932, "CP932", false},
    {936, "CP936", false},       {949, "CP949", false},        {950, "CP950", false},
    {54936, "GB18030", false},
};

const code_page_name* find_code_page(unsigned code_page)
{
    for (const auto& entry : code_page_names)
        if (entry.code_page == code_page)
            return &entry;
    return nullptr;
}

// An iconv descriptor closed by scope.
class converter
{
  public:
    converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    converter(const converter&) = delete;
    converter& operator=(const converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

// Runs the whole input through iconv; each input unit that cannot be
// converted (of unit_size bytes) is skipped and `replacement` appended.
std::string run_iconv(const converter& cd, const char* input, std::size_t size_bytes, std::size_t unit_size,
                      std::string_view replacement)
{
    std::string out;
    std::vector<char> buffer(4 * size_bytes + 16);
    char* in = const_cast<char*>(input);
    std::size_t in_left = size_bytes;
    while (in_left > 0) {
        char* dst = buffer.data();
        std::size_t dst_left = buffer.size();
        const std::size_t rc = iconv(cd.get(), &in, &in_left, &dst, &dst_left);
        const int error = errno;
        out.append(buffer.data(), buffer.size() - dst_left);
        if (rc != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        out.append(replacement); // EILSEQ, or EINVAL for a sequence cut short
        const std::size_t skip = std::min(unit_size, in_left);
        in += skip;
        in_left -= skip;
    }
    // A stateful decoder may still hold its last character.
    char* dst = buffer.data();
    std::size_t dst_left = buffer.size();
    if (iconv(cd.get(), nullptr, nullptr, &dst, &dst_left) != static_cast<std::size_t>(-1))
        out.append(buffer.data(), buffer.size() - dst_left);
    return out;
}

std::u16string utf16_of_le_bytes(const std::string& bytes)
{
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    return out;
}

std::string le_bytes_of_utf16(std::u16string_view text)
{
    std::string out(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(text[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return out;
}

// ------------------------------------------------------- single-byte code pages

struct byte_table {
    char16_t to_wide[256] = {};
    std::unordered_map<char16_t, unsigned char> to_byte;
};

// The Windows code pages leave a few bytes of 0x80-0x9F undefined; the
// system passes them through as the C1 control of the same value, so such
// bytes survive a round trip.
bool passes_c1_through(unsigned code_page)
{
    return code_page >= 1250 && code_page <= 1258;
}

std::unique_ptr<byte_table> build_byte_table(const code_page_name& page)
{
    converter cd("UTF-16LE", page.iconv_name);
    if (!cd.valid())
        return nullptr;
    auto table = std::make_unique<byte_table>();
    for (int byte = 255; byte >= 0; --byte) {
        const char in = static_cast<char>(byte);
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        const std::u16string units = utf16_of_le_bytes(run_iconv(cd, &in, 1, 1, "\xFD\xFF"));
        char16_t unit = units.size() == 1 ? units[0] : replacement_unit;
        if (unit == replacement_unit && byte >= 0x80 && byte <= 0x9F && passes_c1_through(page.code_page))
            unit = static_cast<char16_t>(byte);
        table->to_wide[byte] = unit;
        // Walking down makes the lowest byte win when two bytes share a unit.
        if (unit != replacement_unit)
            table->to_byte[unit] = static_cast<unsigned char>(byte);
    }
    return table;
}

// Tables are built per thread on first use, so no thread waits for another.
const byte_table* byte_table_for(const code_page_name& page)
{
    thread_local const code_page_name* last_page = nullptr;
    thread_local const byte_table* last_table = nullptr;
    if (last_page == &page)
        return last_table;
    thread_local std::map<unsigned, std::unique_ptr<byte_table>> tables;
    auto found = tables.find(page.code_page);
    if (found == tables.end())
        found = tables.emplace(page.code_page, build_byte_table(page)).first;
    last_page = &page;
    last_table = found->second.get();
    return last_table;
}

// ------------------------------------------------------------- case mapping

// How a range of upper-case units maps to lower case: every unit by a fixed
// delta, or alternating pairs where the even (or odd) unit is upper case and
// the next one its lower case.
enum class range_kind { shift, even_pairs, odd_pairs };

struct case_range {
    char16_t first;
    char16_t last;
    range_kind kind;
    int delta; // for shift ranges
};

constexpr case_range lower_ranges[] = {
    {0x0041, 0x005A, range_kind::shift, 32},     {0x00C0, 0x00D6, range_kind::shift, 32},
    {0x00D8, 0x00DE, range_kind::shift, 32},     {0x0100, 0x012F, range_kind::even_pairs, 0},
    {0x0130, 0x0130, range_kind::shift, -199},   {0x0132, 0x0137, range_kind::even_pairs, 0},
    {0x0139, 0x0148, range_kind::odd_pairs, 0},  {0x014A, 0x0177, range_kind::even_pairs, 0},
    {0x0178, 0x0178, range_kind::shift, -121},   {0x0179, 0x017E, range_kind::odd_pairs, 0},
    {0x0181, 0x0181, range_kind::shift, 210},    {0x0182, 0x0185, range_kind::even_pairs, 0},
    {0x0186, 0x0186, range_kind::shift, 206},    {0x0187, 0x0187, range_kind::shift, 1},
    {0x0189, 0x018A, range_kind::shift, 205},    {0x018B, 0x018B, range_kind::shift, 1},
    {0x018E, 0x018E, range_kind::shift, 79},     {0x018F, 0x018F, range_kind::shift, 202},
    {0x0190, 0x0190, range_kind::shift, 203},    {0x0191, 0x0191, range_kind::shift, 1},
    {0x0193, 0x0193, range_kind::shift, 205},    {0x0194, 0x0194, range_kind::shift, 207},
    {0x0196, 0x0196, range_kind::shift, 211},    {0x0197, 0x0197, range_kind::shift, 209},
    {0x0198, 0x0198, range_kind::shift, 1},      {0x019C, 0x019C, range_kind::shift, 211},
    {0x019D, 0x019D, range_kind::shift, 213},    {0x019F, 0x019F, range_kind::shift, 214},
    {0x01A0, 0x01A5, range_kind::even_pairs, 0}, {0x01A7, 0x01A7, range_kind::shift, 1},
    {0x01A9, 0x01A9, range_kind::shift, 218},    {0x01AC, 0x01AC, range_kind::shift, 1},
    {0x01AE, 0x01AE, range_kind::shift, 218},    {0x01AF, 0x01AF, range_kind::shift, 1},
    {0x01B1, 0x01B2, range_kind::shift, 217},    {0x01B3, 0x01B6, range_kind::odd_pairs, 0},
    {0x01B7, 0x01B7, range_kind::shift, 219},    {0x01B8, 0x01B8, range_kind::shift, 1},
    {0x01BC, 0x01BC, range_kind::shift, 1},      {0x01C4, 0x01C4, range_kind::shift, 2},
    {0x01C5, 0x01C5, range_kind::shift, 1},      {0x01C7, 0x01C7, range_kind::shift, 2},
    {0x01C8, 0x01C8, range_kind::shift, 1},      {0x01CA, 0x01CA, range_kind::shift, 2},
    {0x01CB, 0x01DC, range_kind::odd_pairs, 0},  {0x01DE, 0x01EF, range_kind::even_pairs, 0},
    {0x01F1, 0x01F1, range_kind::shift, 2},      {0x01F2, 0x01F5, range_kind::even_pairs, 0},
    {0x01F8, 0x021F, range_kind::even_pairs, 0}, {0x0222, 0x0233, range_kind::even_pairs, 0},
    {0x0246, 0x024F, range_kind::even_pairs, 0}, {0x0386, 0x0386, range_kind::shift, 38},
    {0x0388, 0x038A, range_kind::shift, 37},     {0x038C, 0x038C, range_kind::shift, 64},
    {0x038E, 0x038F, range_kind::shift, 63},     {0x0391, 0x03A1, range_kind::shift, 32},
    {0x03A3, 0x03AB, range_kind::shift, 32},     {0x03D8, 0x03EF, range_kind::even_pairs, 0},
    {0x0400, 0x040F, range_kind::shift, 80},     {0x0410, 0x042F, range_kind::shift, 32},
    {0x0460, 0x0481, range_kind::even_pairs, 0}, {0x048A, 0x04BF, range_kind::even_pairs, 0},
    {0x04C0, 0x04C0, range_kind::shift, 15},     {0x04C1, 0x04CE, range_kind::odd_pairs, 0},
    {0x04D0, 0x052F, range_kind::even_pairs, 0}, {0x0531, 0x0556, range_kind::shift, 48},
    {0x10A0, 0x10C5, range_kind::shift, 7264},   {0x1E00, 0x1E95, range_kind::even_pairs, 0},
    {0x1EA0, 0x1EFF, range_kind::even_pairs, 0}, {0x1F08, 0x1F0F, range_kind::shift, -8},
    {0x1F18, 0x1F1D, range_kind::shift, -8},     {0x1F28, 0x1F2F, range_kind::shift, -8},
    {0x1F38, 0x1F3F, range_kind::shift, -8},     {0x1F48, 0x1F4D, range_kind::shift, -8},
    {0x1F68, 0x1F6F, range_kind::shift, -8},     {0x2160, 0x216F, range_kind::shift, 16},
    {0x24B6, 0x24CF, range_kind::shift, 26},     {0x2C00, 0x2C2E, range_kind::shift, 48},
    {0x2C80, 0x2CE3, range_kind::even_pairs, 0}, {0xA640, 0xA66D, range_kind::even_pairs, 0},
    {0xA680, 0xA69B, range_kind::even_pairs, 0}, {0xA722, 0xA72F, range_kind::even_pairs, 0},
    {0xA732, 0xA76F, range_kind::even_pairs, 0}, {0xFF21, 0xFF3A, range_kind::shift, 32},
};

char16_t lower_of(char16_t unit)
{
    for (const auto& range : lower_ranges) {
        if (unit < range.first || unit > range.last)
            continue;
        switch (range.kind) {
        case range_kind::shift:
            return static_cast<char16_t>(unit + range.delta);
        case range_kind::even_pairs:
            return (unit % 2 == 0) ? static_cast<char16_t>(unit + 1) : unit;
        case range_kind::odd_pairs:
            return (unit % 2 == 1) ? static_cast<char16_t>(unit + 1) : unit;
        }
    }
    return unit;
}

// Lower-case units whose upper case is not the inverse of the table above.
struct upper_extra {
    char16_t lower;
    char16_t upper;
};

constexpr upper_extra upper_extras[] = {
    {0x00B5, 0x039C},
    {0x0131, 0x0049},
    {0x017F, 0x0053},
    {0x03C2, 0x03A3},
};

// The inverse of lower_of, built once: the first upper-case unit that maps to
// a lower-case unit is its upper case (I before the dotted capital I).
struct upper_table {
    std::array<char16_t, 0x10000> upper{};
    upper_table()
    {
        for (std::size_t unit = 0; unit < upper.size(); ++unit)
            upper[unit] = static_cast<char16_t>(unit);
        std::array<bool, 0x10000> taken{};
        for (std::size_t unit = 0; unit < upper.size(); ++unit) {
            const char16_t lower = lower_of(static_cast<char16_t>(unit));
            if (lower == unit || taken[lower])
                continue;
            upper[lower] = static_cast<char16_t>(unit);
            taken[lower] = true;
        }
        for (const auto& extra : upper_extras)
            upper[extra.lower] = extra.upper;
    }
};

// ------------------------------------------------------------- conversions

// Receives converted units: counts them when there is no buffer (a size
// query), else writes them while they fit.
template <typename Unit> class unit_sink
{
  public:
    unit_sink(Unit* out, int capacity)
        : out_(capacity > 0 ? out : nullptr), capacity_(capacity > 0 ? static_cast<std::size_t>(capacity) : 0)
    {
    }
    void put(Unit unit)
    {
        if (out_ != nullptr && count_ < capacity_)
            out_[count_] = unit;
        ++count_;
    }
    // The platform's result: the count, 0 when it did not fit.
    int result() const
    {
        if (count_ > static_cast<std::size_t>(std::numeric_limits<int>::max()))
            return 0;
        if (out_ != nullptr && count_ > capacity_)
            return 0;
        return static_cast<int>(count_);
    }

  private:
    Unit* out_;
    std::size_t capacity_;
    std::size_t count_ = 0;
};

bool decode(unsigned code_page, const char* text, std::size_t size, unit_sink<char16_t>& sink)
{
    if (code_page == code_page_utf8) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text);
        for (std::size_t i = 0; i < size;) {
            char32_t value = decode_utf8(bytes, size, i);
            if (value >= 0x10000) {
                value -= 0x10000;
                sink.put(static_cast<char16_t>(0xD800 + (value >> 10)));
                value = 0xDC00 + (value & 0x3FF);
            }
            sink.put(static_cast<char16_t>(value));
        }
        return true;
    }
    const code_page_name* page = find_code_page(code_page);
    if (page == nullptr)
        return false;
    if (page->single_byte) {
        const byte_table* table = byte_table_for(*page);
        if (table == nullptr)
            return false;
        for (std::size_t i = 0; i < size; ++i)
            sink.put(table->to_wide[static_cast<unsigned char>(text[i])]);
        return true;
    }
    converter cd("UTF-16LE", page->iconv_name);
    if (!cd.valid())
        return false;
    for (char16_t unit : utf16_of_le_bytes(run_iconv(cd, text, size, 1, "\xFD\xFF")))
        sink.put(unit);
    return true;
}

bool encode(unsigned code_page, const char16_t* text, std::size_t size, unit_sink<char>& sink)
{
    if (code_page == code_page_utf8) {
        for (char byte : utf16_to_utf8(std::u16string_view(text, size)))
            sink.put(byte);
        return true;
    }
    const code_page_name* page = find_code_page(code_page);
    if (page == nullptr)
        return false;
    if (page->single_byte) {
        const byte_table* table = byte_table_for(*page);
        if (table == nullptr)
            return false;
        for (std::size_t i = 0; i < size;) {
            const char32_t value = decode_utf16(text, size, i);
            const auto found =
                value < 0x10000 ? table->to_byte.find(static_cast<char16_t>(value)) : table->to_byte.end();
            sink.put(found != table->to_byte.end() ? static_cast<char>(found->second) : default_char);
        }
        return true;
    }
    converter cd(page->iconv_name, "UTF-16LE");
    if (!cd.valid())
        return false;
    const std::string le = le_bytes_of_utf16(std::u16string_view(text, size));
    for (char byte : run_iconv(cd, le.data(), le.size(), 2, std::string_view(&default_char, 1)))
        sink.put(byte);
    return true;
}

// Reads the code page from the environment: ZV_ANSI_CODEPAGE when it holds a
// number, else the language of the locale variables.
unsigned code_page_of_environment()
{
    if (const char* forced = std::getenv("ZV_ANSI_CODEPAGE")) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(forced, &end, 10);
        if (end != forced && *end == '\0' && value > 0 && value < 65536)
            return static_cast<unsigned>(value);
    }
    return code_page_of_locale(first_set({"LC_ALL", "LC_CTYPE", "LANG"}));
}

} // namespace

unsigned ansi_code_page() noexcept
{
    return code_page_of_environment();
}

int multi_byte_to_wide(unsigned code_page, const char* text, int length_bytes, char16_t* out,
                       int out_capacity) noexcept
{
    try {
        if (text == nullptr || length_bytes == 0)
            return 0;
        const std::size_t size =
            length_bytes < 0 ? std::strlen(text) + 1 : static_cast<std::size_t>(length_bytes);
        unit_sink<char16_t> sink(out, out_capacity);
        return decode(code_page, text, size, sink) ? sink.result() : 0;
    } catch (...) {
        return 0;
    }
}

int wide_to_multi_byte(unsigned code_page, const char16_t* text, int length_units, char* out,
                       int out_capacity) noexcept
{
    try {
        if (text == nullptr || length_units == 0)
            return 0;
        const std::size_t size = length_units < 0 ? std::char_traits<char16_t>::length(text) + 1
                                                  : static_cast<std::size_t>(length_units);
        unit_sink<char> sink(out, out_capacity);
        return encode(code_page, text, size, sink) ? sink.result() : 0;
    } catch (...) {
        return 0;
    }
}

// Runs of ASCII, the common case of worksheet data and paths, take the
// short branch; a surrogate pair is the only two-unit step.
char* encode_utf8(std::u16string_view text, char* out) noexcept
{
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    while (p != end) {
        char32_t c = *p++;
        if (c < 0x80) {
            *out++ = static_cast<char>(c);
            continue;
        }
        if (c < 0x800) {
            *out++ = static_cast<char>(0xC0 | (c >> 6));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && p != end && *p >= 0xDC00 && *p <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (char32_t{*p++} - 0xDC00);
                *out++ = static_cast<char>(0xF0 | (c >> 18));
                *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                *out++ = static_cast<char>(0x80 | (c & 0x3F));
                continue;
            }
            c = replacement_unit;
        }
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

void append_utf8(std::u16string_view text, std::string& out)
{
    const std::size_t old_size = out.size();
    out.resize(old_size + text.size() * utf8_max_bytes_per_unit);
    out.resize(static_cast<std::size_t>(encode_utf8(text, out.data() + old_size) - out.data()));
}

std::string utf16_to_utf8(std::u16string_view text)
{
    std::string out;
    append_utf8(text, out);
    return out;
}

std::u16string utf8_to_utf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size();)
        append_utf16(out, decode_utf8(bytes, text.size(), i));
    return out;
}

char16_t to_lower(char16_t unit) noexcept
{
    return lower_of(unit);
}

char16_t to_upper(char16_t unit) noexcept
{
    static const upper_table table;
    return table.upper[unit];
}

std::u16string to_lower(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& unit : out)
        unit = to_lower(unit);
    return out;
}

std::u16string to_upper(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& unit : out)
        unit = to_upper(unit);
    return out;
}

int compare_no_case(std::u16string_view a, std::u16string_view b) noexcept
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = to_upper(a[i]);
        const char16_t y = to_upper(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace zv::platform
