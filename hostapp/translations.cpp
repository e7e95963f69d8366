#include "translations.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zv::hostapp
{
namespace
{

// Length of the UTF-8 sequence starting with `lead`, 0 if it cannot start one.
int sequence_length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes one code point at `pos`, advancing it; nothing when malformed.
std::optional<char32_t> decode(std::string_view text, std::size_t& pos)
{
    auto lead = static_cast<unsigned char>(text[pos]);
    int length = sequence_length(lead);
    if (length == 0 || pos + static_cast<std::size_t>(length) > text.size())
        return std::nullopt;
    if (length == 1)
        return text[pos++];
    char32_t cp = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    pos += static_cast<std::size_t>(length);
    return cp;
}

std::optional<std::u16string> unescape(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case 't':
            plain += '\t';
            break;
        case 'n':
            plain += '\n';
            break;
        case '\\':
            plain += '\\';
            break;
        default:
            return std::nullopt;
        }
    }
    return utf8_to_utf16(plain);
}

// Parses one entry line into `id` and `text`; returns the reason on failure.
std::string parse_line(std::string_view line, uint32_t& id, std::u16string& text)
{
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
        return "expected <id> TAB <text>";
    std::string_view number = line.substr(0, tab);
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), id);
    if (ec != std::errc() || end != number.data() + number.size() || number.empty() || id == 0)
        return "the id must be a number from 1 to 4294967295";
    std::optional<std::u16string> decoded = unescape(line.substr(tab + 1));
    if (!decoded)
        return "the text is not valid UTF-8 or has an unknown escape";
    text = std::move(*decoded);
    return {};
}

} // namespace

std::optional<std::u16string> utf8_to_utf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        std::optional<char32_t> cp = decode(text, pos);
        if (!cp)
            return std::nullopt;
        if (*cp < 0x10000) {
            out += static_cast<char16_t>(*cp);
        } else {
            char32_t v = *cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        }
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        bool high = cp >= 0xD800 && cp <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::optional<translations> translations::parse(std::string_view content, std::string& error)
{
    if (content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    translations result;
    std::size_t number = 0;
    while (!content.empty()) {
        ++number;
        std::size_t eol = content.find('\n');
        std::string_view line = content.substr(0, eol);
        content.remove_prefix(eol == std::string_view::npos ? content.size() : eol + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        uint32_t id = 0;
        std::u16string text;
        std::string reason = parse_line(line, id, text);
        if (!reason.empty()) {
            error = "line " + std::to_string(number) + ": " + reason;
            return std::nullopt;
        }
        result.texts_[id] = std::move(text);
    }
    return result;
}

std::optional<translations> translations::load(const std::string& path, std::string& error)
{
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, ec))
        in.open(path, std::ios::binary);
    if (!in.is_open()) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::optional<translations> parsed = parse(content, error);
    if (!parsed)
        error = path + ": " + error;
    return parsed;
}

const std::u16string* translations::find(uint32_t id) const
{
    auto it = texts_.find(id);
    return it != texts_.end() ? &it->second : nullptr;
}

} // namespace zv::hostapp
