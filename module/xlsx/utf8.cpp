#include "xlsx/utf8.h"

#include "foundation/utf.h"

namespace zv::xlsx
{
void AppendUtf8(std::u16string_view text, std::string& out)
{
    zv::foundation::append_utf8(text, out);
}

std::string ToUtf8(std::u16string_view text)
{
    return zv::foundation::to_utf8(text);
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

} // namespace zv::xlsx
