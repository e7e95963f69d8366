#include "xlsx/style_list.h"

#include <gtest/gtest.h>

using namespace zv::xlsx;

namespace
{

// Equal styles share one cell format; built-in number formats and the
// diagonal side do not separate styles, alignment and the diagonals' flags do.
TEST(StyleList, EqualStylesShareTheirIndex)
{
    StyleList list;
    Style style;
    EXPECT_EQ(list.Add(style), 0u);
    style.numFormat.id = 3;
    EXPECT_EQ(list.Add(style), 0u);
    Style bold;
    bold.font.attributes = FONT_BOLD;
    EXPECT_EQ(list.Add(bold), 1u);
    EXPECT_EQ(list.Add(bold), 1u);
    EXPECT_EQ(list.Fonts().size(), 2u);
    Style diagonal;
    diagonal.border.diagonal.style = BORDER_THICK;
    EXPECT_EQ(list.Add(diagonal), 0u);
    diagonal.border.isDiagonalUp = true;
    EXPECT_EQ(list.Add(diagonal), 2u);
    EXPECT_EQ(list.Borders().size(), 2u);
    Style aligned;
    aligned.alignment.horizontal = ALIGN_H_CENTER;
    EXPECT_EQ(list.Add(aligned), 3u);
    aligned.alignment.wrapText = true;
    EXPECT_EQ(list.Add(aligned), 4u);
    EXPECT_EQ(list.CellFormats().size(), 5u);
}

TEST(StyleList, CustomFormatsGetIdentifiersFrom164)
{
    StyleList list;
    Style a;
    a.numFormat.id = kFirstCustomNumFormat;
    a.numFormat.formatString = u"0.000";
    Style b = a;
    b.numFormat.formatString = u"yyyy-mm-dd";
    const auto ia = list.Add(a);
    EXPECT_EQ(list.CellFormats()[ia].numFormatId, 164u);
    EXPECT_EQ(list.CellFormats()[list.Add(b)].numFormatId, 165u);
    EXPECT_EQ(list.Add(a), ia);
}

TEST(StyleList, ExplicitFormatCodeIsKeptAndFieldsBuildTheRest)
{
    NumFormat f;
    f.formatString = u"0.0&quot;m&quot;";
    EXPECT_EQ(NumFormatCode(f), u"0.0&quot;m&quot;");
    NumFormat g;
    g.showThousandsSeparator = true;
    g.digitsAfterPoint = 2;
    EXPECT_EQ(NumFormatCode(g), u"#,##0.00");
    g.numberStyle = NUMSTYLE_EXPONENTIAL;
    EXPECT_EQ(NumFormatCode(g), u"#,##0.00E+00");
    g.numberStyle = NUMSTYLE_NUMERIC;
    g.negativeColor = NUMCOLOR_RED;
    EXPECT_EQ(NumFormatCode(g), u"#,##0.00;[Red]-#,##0.00");
    NumFormat d;
    d.numberStyle = NUMSTYLE_DATETIME;
    EXPECT_EQ(NumFormatCode(d), u"yyyy.mm.dd hh:mm:ss");
}

} // namespace
