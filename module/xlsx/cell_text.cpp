#include "xlsx/cell_text.h"

#include <array>

namespace zv::xlsx
{
namespace
{

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Bytes that may start something to escape: the C0 controls but tab and line
// feed, the underscore, and 0xEF, the lead byte of U+FFFE and U+FFFF.
constexpr std::array<bool, 256> kMayEscape = [] {
    std::array<bool, 256> table{};
    for (unsigned byte = 0; byte < 0x20; ++byte)
        table[byte] = byte != '\t' && byte != '\n';
    table['_'] = true;
    table[0xEF] = true;
    return table;
}();

// Whether text[at] starts a literal "_xHHHH_".
bool IsEscapeSequence(std::string_view text, std::size_t at)
{
    if (text.size() - at < 7 || text[at + 1] != 'x' || text[at + 6] != '_')
        return false;
    for (std::size_t i = at + 2; i < at + 6; ++i)
        if (!IsHexDigit(text[i]))
            return false;
    return true;
}

// The UTF-16 code to write in escaped form for the bytes at text[at], and how
// many bytes it replaces; 0 bytes when they are written as they are.
struct Escape {
    unsigned code = 0;
    std::size_t bytes = 0;
};

Escape EscapeAt(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte == '_')
        return IsEscapeSequence(text, at) ? Escape{'_', 1} : Escape{};
    if (byte != 0xEF)
        return Escape{byte, 1};
    // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
    if (text.size() - at >= 3 && text[at + 1] == '\xBF' && (text[at + 2] == '\xBE' || text[at + 2] == '\xBF'))
        return Escape{0xFFFEu + (text[at + 2] == '\xBF' ? 1u : 0u), 3};
    return {};
}

void WriteEscape(XmlWriter& xml, unsigned code)
{
    if (code == '\r') {
        xml << "&#13;";
        return;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    char form[] = "_x0000_";
    for (int digit = 5; digit >= 2; --digit, code >>= 4)
        form[digit] = kHex[code & 0xF];
    xml << std::string_view(form, 7);
}

} // namespace

bool HasEdgeSpace(std::string_view utf8)
{
    return !utf8.empty() && (IsSpace(utf8.front()) || IsSpace(utf8.back()));
}

void WriteCellText(XmlWriter& xml, std::string_view utf8)
{
    xml << XmlToken::Content();
    std::size_t plain = 0; // start of the bytes not written yet
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        if (!kMayEscape[static_cast<unsigned char>(utf8[at])])
            continue;
        const Escape escape = EscapeAt(utf8, at);
        if (escape.bytes == 0)
            continue;
        xml << utf8.substr(plain, at - plain);
        WriteEscape(xml, escape.code);
        plain = at + escape.bytes;
        at = plain - 1;
    }
    xml << utf8.substr(plain);
}

} // namespace zv::xlsx
