#include "xlsx/style_list.h"

#include <algorithm>

namespace zv::xlsx
{
namespace
{

// Position of an equal record, appending the record when there is none.
template <typename T> std::size_t FindOrAppend(std::vector<T>& list, const T& item)
{
    const auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end())
        return static_cast<std::size_t>(it - list.begin());
    list.push_back(item);
    return list.size() - 1;
}

std::u16string ColorCode(std::int32_t color)
{
    static const char16_t* const kNames[] = {u"",          u"[BLACK]",  u"[Green]", u"[White]", u"[Blue]",
                                             u"[Magenta]", u"[Yellow]", u"[Cyan]",  u"[Red]"};
    if (color <= NUMCOLOR_DEFAULT || color > NUMCOLOR_RED)
        return {};
    return kNames[color];
}

// The number itself: grouping, integer digit and decimals.
std::u16string NumberBody(const NumFormat& f)
{
    std::u16string body = f.showThousandsSeparator ? u"#,##0" : u"0";
    if (f.digitsAfterPoint > 0)
        body += u"." + std::u16string(static_cast<std::size_t>(std::min(f.digitsAfterPoint, 30)), u'0');
    return body;
}

std::u16string Quoted(const std::u16string& text)
{
    return u"&quot;" + text + u"&quot;";
}

std::u16string Accounting(const NumFormat& f, const std::u16string& body)
{
    const std::u16string symbol = f.currencySymbol.empty() ? std::u16string() : Quoted(f.currencySymbol);
    return u"_-* " + body + symbol + u"_-;\\-* " + body + symbol + u"_-;_-* &quot;-&quot;??" + symbol +
           u"_-;_-@_-";
}

std::u16string Coloured(const NumFormat& f, const std::u16string& body)
{
    if (f.positiveColor == NUMCOLOR_DEFAULT && f.negativeColor == NUMCOLOR_DEFAULT)
        return body;
    return ColorCode(f.positiveColor) + body + u";" + ColorCode(f.negativeColor) + u"-" + body;
}

} // namespace

bool NumFormat::SameFormat(const NumFormat& other) const
{
    return formatString == other.formatString && numberStyle == other.numberStyle &&
           digitsAfterPoint == other.digitsAfterPoint &&
           showThousandsSeparator == other.showThousandsSeparator && currencySymbol == other.currencySymbol &&
           positiveColor == other.positiveColor && negativeColor == other.negativeColor;
}

std::u16string NumFormatCode(const NumFormat& f)
{
    if (!f.formatString.empty())
        return f.formatString;
    const std::u16string body = NumberBody(f);
    switch (f.numberStyle) {
    case NUMSTYLE_PERCENTAGE:
        return Coloured(f, body + u"%");
    case NUMSTYLE_EXPONENTIAL:
        return Coloured(f, body + u"E+00");
    case NUMSTYLE_FINANCIAL:
        return Accounting(f, body);
    case NUMSTYLE_MONEY:
        return Coloured(f, f.currencySymbol.empty() ? body : body + u" " + Quoted(f.currencySymbol));
    case NUMSTYLE_DATE:
        return u"yyyy.mm.dd";
    case NUMSTYLE_TIME:
        return u"hh:mm:ss";
    case NUMSTYLE_DATETIME:
        return u"yyyy.mm.dd hh:mm:ss";
    default:
        return Coloured(f, body);
    }
}

// An equal format is reused by its reference; a new custom one gets the next
// identifier; a new built-in one is referenced by its list position.
std::uint64_t StyleList::AddNumFormat(const NumFormat& format)
{
    for (std::size_t i = 0; i < numFormats_.size(); ++i) {
        const NumFormat& known = numFormats_[i];
        if (known.SameFormat(format))
            return known.id >= kFirstCustomNumFormat ? known.id : i;
    }
    numFormats_.push_back(format);
    if (format.id < kFirstCustomNumFormat)
        return numFormats_.size() - 1;
    numFormats_.back().id = nextCustomId_++;
    return numFormats_.back().id;
}

std::size_t StyleList::Add(const Style& style)
{
    CellFormat cell;
    cell.borderId = FindOrAppend(borders_, style.border);
    cell.fontId = FindOrAppend(fonts_, style.font);
    cell.fillId = FindOrAppend(fills_, style.fill);
    cell.numFormatId = AddNumFormat(style.numFormat);
    cell.alignment = style.alignment;
    return FindOrAppend(cellFormats_, cell);
}

} // namespace zv::xlsx
