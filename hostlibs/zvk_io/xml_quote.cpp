#include "xml_quote.h"

namespace zv::zvk_io
{
namespace
{

// The entity that stands for c, or null when c stands for itself.
const char16_t* entity_of(char16_t c)
{
    switch (c) {
    case u'&':
        return u"&amp;";
    case u'<':
        return u"&lt;";
    case u'>':
        return u"&gt;";
    case u'"':
        return u"&quot;";
    case u'\'':
        return u"&apos;";
    default:
        return nullptr;
    }
}

} // namespace

// Runs of characters that stand for themselves are copied whole.
void xml_quote(std::u16string_view text, std::u16string& out)
{
    out.clear();
    std::size_t plain = 0; // start of the run not copied yet
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const char16_t* entity = entity_of(text[i])) {
            out.append(text.substr(plain, i - plain));
            out += entity;
            plain = i + 1;
        }
    }
    out.append(text.substr(plain));
}

} // namespace zv::zvk_io
