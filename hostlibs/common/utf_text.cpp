#include "common/utf_text.h"

namespace zv::hostcommon
{
namespace
{

constexpr char32_t kReplacement = 0xFFFD;

bool is_surrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void append_utf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// Decodes one UTF-8 sequence at bytes[i]; advances i. Returns nullopt for
// any malformed sequence.
std::optional<char32_t> decode_one(std::string_view bytes, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
        return std::nullopt;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= bytes.size()) {
            return std::nullopt;
        }
        const auto next = static_cast<unsigned char>(bytes[i++]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || is_surrogate(cp)) {
        return std::nullopt;
    }
    return cp;
}

// The code point of a surrogate pair that starts at text[i]; 0 when none does.
char32_t pair_at(std::u16string_view text, std::size_t i)
{
    if (i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
        return 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    }
    return 0;
}

} // namespace

std::size_t length(const char16_t* text) noexcept
{
    std::size_t n = 0;
    if (text != nullptr) {
        while (text[n] != 0) {
            ++n;
        }
    }
    return n;
}

bool is_well_formed(std::u16string_view text) noexcept
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pair_at(text, i) != 0) {
            ++i;
        } else if (is_surrogate(text[i])) {
            return false;
        }
    }
    return true;
}

std::string to_utf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const char32_t cp = pair_at(text, i); cp != 0) {
            append_utf8(out, cp);
            ++i;
        } else {
            append_utf8(out, is_surrogate(text[i]) ? kReplacement : char32_t(text[i]));
        }
    }
    return out;
}

std::optional<std::u16string> from_utf8(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto cp = decode_one(bytes, i);
        if (!cp) {
            return std::nullopt;
        }
        append_utf16(out, *cp);
    }
    return out;
}

std::string native_path(const char16_t* path)
{
    std::string out = to_utf8(std::u16string_view(path == nullptr ? u"" : path));
#ifndef _WIN32
    for (char& c : out) {
        if (c == '\\') {
            c = '/';
        }
    }
#endif
    return out;
}

} // namespace zv::hostcommon
