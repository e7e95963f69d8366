// Every kind of style in the styles part, added to the two styles every
// workbook starts with (whose part alone, without numFmts, the workbook's
// golden test compares): a font with attributes before its size, a fill with
// its foreground before its background, an unknown pattern, border sides and
// a diagonal, a custom number format with alignment.
#include "xlsx/styles_xml.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "xlsx/style_list.h"

using namespace zv::xlsx;

namespace
{

TEST(StylesXml, EveryKindOfStyleMatchesTheGoldenPart)
{
    StyleList list;
    Style style;
    list.Add(style);
    style.fill.patternType = PATTERN_GRAY_125;
    style.numFormat.id = 1;
    list.Add(style);
    Style font, fill, unknown, border, format;
    font.font.attributes = FONT_BOLD | FONT_ITALIC;
    font.font.theme = false;
    font.font.color = u"FF0000";
    fill.fill.patternType = PATTERN_SOLID;
    fill.fill.bgColor = u"00FF00";
    fill.fill.fgColor = u"0000FF";
    unknown.fill.patternType = 40;
    border.border.left.style = BORDER_THIN;
    border.border.bottom.style = BORDER_DOUBLE;
    border.border.bottom.color = u"FF112233";
    border.border.isDiagonalDown = true;
    format.numFormat.id = kFirstCustomNumFormat;
    format.numFormat.formatString = u"0.000";
    format.alignment.horizontal = ALIGN_H_RIGHT;
    format.alignment.vertical = ALIGN_V_TOP;
    format.alignment.wrapText = true;
    for (const Style& added : {font, fill, unknown, border, format})
        list.Add(added);
    const std::string xml = xlsx_test::WriteToString([&](XmlWriter& x) { WriteStylesXml(x, list); });
    EXPECT_EQ(xml, xlsx_test::Golden("styles_every_kind.xml"));
}

} // namespace
