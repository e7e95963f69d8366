#include "foundation/utf.h"

namespace zv::foundation
{
namespace
{

// What decode_utf8 gives for an ill-formed sequence; never a scalar value.
constexpr char32_t ill_formed = 0xFFFFFFFF;

bool in_range(unsigned char byte, unsigned char low, unsigned char high)
{
    return byte >= low && byte <= high;
}

bool is_surrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
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

// Decodes one scalar value at bytes[i] and advances i past what it
// consumed. An ill-formed sequence consumes its maximal valid prefix (at
// least one byte), so every stray byte is one error.
char32_t decode_utf8(std::string_view bytes, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(bytes[i++]);
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
    } else {
        return ill_formed;
    }
    unsigned char low = 0;
    unsigned char high = 0;
    second_byte_range(lead, low, high);
    for (int k = 0; k < extra; ++k) {
        if (i >= bytes.size() || !in_range(static_cast<unsigned char>(bytes[i]), low, high))
            return ill_formed;
        value = (value << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3F);
        ++i;
        low = 0x80;
        high = 0xBF;
    }
    return value;
}

char16_t* put_utf16(char16_t* out, char32_t value)
{
    if (value < 0x10000) {
        *out++ = static_cast<char16_t>(value);
        return out;
    }
    value -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (value >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (value & 0x3FF));
    return out;
}

void append_utf16(std::u16string& out, char32_t value)
{
    char16_t units[2];
    out.append(units, static_cast<std::size_t>(put_utf16(units, value) - units));
}

} // namespace

std::size_t length(const char16_t* text) noexcept
{
    return text == nullptr ? 0 : std::char_traits<char16_t>::length(text);
}

char32_t next_scalar(std::u16string_view text, std::size_t& i) noexcept
{
    const char16_t unit = text[i++];
    if (!is_surrogate(unit))
        return unit;
    if (unit <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
        const char32_t low = text[i++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
    return replacement_character;
}

bool is_well_formed(std::u16string_view text) noexcept
{
    for (std::size_t i = 0; i < text.size();) {
        const char16_t unit = text[i];
        if (next_scalar(text, i) == replacement_character && unit != replacement_character)
            return false;
    }
    return true;
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
        if (is_surrogate(c)) {
            if (c <= 0xDBFF && p != end && *p >= 0xDC00 && *p <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (char32_t{*p++} - 0xDC00);
                *out++ = static_cast<char>(0xF0 | (c >> 18));
                *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                *out++ = static_cast<char>(0x80 | (c & 0x3F));
                continue;
            }
            c = replacement_character;
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

std::string to_utf8(std::u16string_view text)
{
    std::string out;
    append_utf8(text, out);
    return out;
}

// No text has more UTF-16 units than UTF-8 bytes: a four-byte sequence gives
// two units, an ill-formed byte one.
void append_utf16(std::string_view bytes, std::u16string& out)
{
    const std::size_t old_size = out.size();
    out.resize(old_size + bytes.size());
    char16_t* at = out.data() + old_size;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            *at++ = byte;
            ++i;
            continue;
        }
        const char32_t value = decode_utf8(bytes, i);
        at = put_utf16(at, value == ill_formed ? replacement_character : value);
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
}

std::u16string to_utf16(std::string_view bytes)
{
    std::u16string out;
    append_utf16(bytes, out);
    return out;
}

std::optional<std::string> to_utf8_strict(std::u16string_view text)
{
    if (!is_well_formed(text))
        return std::nullopt;
    return to_utf8(text);
}

std::optional<std::u16string> to_utf16_strict(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const char32_t value = decode_utf8(bytes, i);
        if (value == ill_formed)
            return std::nullopt;
        append_utf16(out, value);
    }
    return out;
}

} // namespace zv::foundation
