#include "xlsx/utf8.h"

#include "foundation/code_page.h"
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

bool FitsMultibytePath(std::u16string_view path)
{
    if (path.find(u'\0') != std::u16string_view::npos)
        return false;
    std::string narrow;
    // A code page the system cannot convert: measure the form POSIX paths take.
    if (!zv::foundation::from_utf16(path, zv::foundation::ansi_code_page(), narrow))
        narrow = ToUtf8(path);
    return narrow.size() <= kMaxMultibytePath;
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
