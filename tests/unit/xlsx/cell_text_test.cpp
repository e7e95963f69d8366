// Cell text in the package: what is escaped and what is kept as it is.
// (Which texts keep their white space is read back by openpyxl in the
// workbook tests.)
#include "xlsx/cell_text.h"

#include <gtest/gtest.h>

#include "test_support.h"

using namespace zv::xlsx;

namespace
{

std::string Written(std::string_view utf8)
{
    const std::string part = xlsx_test::WriteToString([&](XmlWriter& xml) {
        xml.Tag("t");
        WriteCellText(xml, utf8);
    });
    const std::size_t start = part.find("<t>") + 3;
    return part.substr(start, part.rfind("</t>") - start);
}

TEST(CellText, ControlsAndLiteralEscapesAreEscaped)
{
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"plain Ж &amp; text", "plain Ж &amp; text"},
        {"a\x01"
         "b\x1F",
         "a_x0001_b_x001F_"},
        {"\0"s, "_x0000_"},
        {"tab\tlf\ncr\r", "tab\tlf\ncr&#13;"},                      // a raw CR would read back as LF
        {"_x0041_ and _x00fF_", "_x005F_x0041_ and _x005F_x00fF_"}, // either case of hex digit
        {"__x0041_", "__x005F_x0041_"},
        {"_x004g_ _x0041 _x", "_x004g_ _x0041 _x"},               // not escape sequences
        {"\xEF\xBF\xBE\xEF\xBF\xBF", "_xFFFE__xFFFF_"},           // U+FFFE, U+FFFF
        {"\xEF\xBF\xBD\xEF\xBC\x81", "\xEF\xBF\xBD\xEF\xBC\x81"}, // U+FFFD, U+FF01 stay
        {"end\xEF\xBF", "end\xEF\xBF"},
    };
    for (const auto& [text, xml] : cases)
        EXPECT_EQ(Written(text), xml) << text;
}

} // namespace
