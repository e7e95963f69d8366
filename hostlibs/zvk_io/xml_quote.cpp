#include "xml_quote.h"

#include "foundation/guard.h"
#include "host/zvk_io.h"

namespace zv::io
{

std::u16string xml_quote(std::u16string_view text)
{
    std::u16string out;
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
    return out;
}

} // namespace zv::io

extern "C" ZV_HOST_API bool zv_xml_quote_string(const char16_t* text, zv_string_adp_t adapter)
{
    return zv::foundation::guarded(false, [&] {
        // The quoted text is built in a string of its own before delivery, so
        // an adapter bound to the string behind text sees only the result.
        const std::u16string quoted = zv::io::xml_quote(text == nullptr ? u"" : text);
        zv_string_adp_assign_w(adapter, quoted.c_str());
        return true;
    });
}
