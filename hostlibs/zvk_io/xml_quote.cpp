#include "xml_quote.h"

namespace zv::zvk_io
{

void xml_quote(std::u16string_view text, std::u16string& out)
{
    out.clear();
    out.reserve(text.size() + text.size() / 8);
    for (const char16_t c : text) {
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
        case u'\'':
            out += u"&apos;";
            break;
        default:
            out += c;
            break;
        }
    }
}

} // namespace zv::zvk_io
