#include "xlsx/utf8.h"

namespace SimpleXlsx
{
namespace
{

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendCodePoint(char32_t cp, std::string& out)
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

} // namespace

void AppendUtf8(std::u16string_view text, std::string& out)
{
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        // Runs of ASCII are the common case in worksheet data.
        while (i < n && text[i] < 0x80)
            out.push_back(static_cast<char>(text[i++]));
        if (i == n)
            break;
        const char16_t c = text[i++];
        if (IsHighSurrogate(c) && i < n && IsLowSurrogate(text[i])) {
            const char32_t cp = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i++]) - 0xDC00);
            AppendCodePoint(cp, out);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendCodePoint(0xFFFD, out);
        } else {
            AppendCodePoint(c, out);
        }
    }
}

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    AppendUtf8(text, out);
    return out;
}

bool ToMultibytePath(std::u16string_view path, std::string& out)
{
    if (path.find(u'\0') != std::u16string_view::npos)
        return false;
    out.clear();
    AppendUtf8(path, out);
    return out.size() <= kMaxMultibytePath;
}

std::u16string XmlEscape(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        switch (c) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += u"&quot;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

} // namespace SimpleXlsx
