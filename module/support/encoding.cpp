#include "support/encoding.h"

#include "foundation/code_page.h"

#include <limits>

namespace zv
{
namespace
{

constexpr std::array<encoding_entry, encoding_count> encoding_table = {{
    {u"UTF-8", u"UTF-8", 65001, 0},
    {u"UTF-16", u"UTF-16", 0, 0},
    {u"UTF-16LE", u"UTF-16LE", 0, 0},
    {u"UTF-16BE", u"UTF-16BE", 0, 0},
    {u"UTF-32", u"UTF-32", 0, 0},
    {u"UTF-32LE", u"UTF-32LE", 0, 0},
    {u"UTF-32BE", u"UTF-32BE", 0, 0},
    {u"CP1250", u"Windows-1250", 1250, 0},
    {u"CP1251", u"Windows-1251", 1251, 0},
    {u"CP1252", u"Windows-1252", 1252, 0},
    {u"CP1253", u"Windows-1253", 1253, 0},
    {u"CP1254", u"Windows-1254", 1254, 0},
    {u"CP1255", u"Windows-1255", 1255, 0},
    {u"CP1256", u"Windows-1256", 1256, 0},
    {u"CP1257", u"Windows-1257", 1257, 0},
    {u"CP1258", u"Windows-1258", 1258, 0},
    {u"CP866", u"OEM 866", 866, 0},
    {u"ASCII", u"US-ASCII", 20127, 0},
    {u"SYSTEM", u"ANSI", 0, 0},
}};

// The system's conversion functions count in int; longer text converts to
// nothing, as there.
bool fits_int(std::size_t length)
{
    return length <= static_cast<std::size_t>(std::numeric_limits<int>::max());
}

} // namespace

const std::array<encoding_entry, encoding_count>& encodings() noexcept
{
    return encoding_table;
}

unsigned code_page_of(std::size_t index) noexcept
{
    if (index >= encoding_count)
        return 0;
    const unsigned code_page = encoding_table[index].code_page;
    return code_page != 0 ? code_page : foundation::ansi_code_page();
}

std::u16string to_wide(const char* text, std::size_t length_bytes, std::size_t index)
{
    if (text == nullptr || !fits_int(length_bytes))
        return {};
    std::u16string result;
    foundation::to_utf16(std::string_view(text, length_bytes), code_page_of(index), result);
    return result;
}

std::u16string to_wide(const char* text)
{
    if (text == nullptr)
        return {};
    return to_wide(text, std::char_traits<char>::length(text), encoding_system);
}

void to_wide(const char* text, unsigned code_page, std::u16string& out)
{
    out.clear();
    const std::size_t length_bytes = text == nullptr ? 0 : std::char_traits<char>::length(text);
    if (length_bytes != 0 && fits_int(length_bytes))
        foundation::to_utf16(std::string_view(text, length_bytes), code_page, out);
}

std::u16string to_wide(const std::string& text)
{
    return to_wide(text.data(), text.size(), encoding_system);
}

std::string to_narrow(const char16_t* text, std::size_t length_units)
{
    if (text == nullptr || !fits_int(length_units))
        return {};
    std::string result;
    foundation::from_utf16(std::u16string_view(text, length_units), code_page_of(encoding_system), result);
    return result;
}

std::string to_narrow(const char16_t* text)
{
    if (text == nullptr)
        return {};
    return to_narrow(text, std::char_traits<char16_t>::length(text));
}

std::string to_narrow(const std::u16string& text)
{
    return to_narrow(text.data(), text.size());
}

} // namespace zv
