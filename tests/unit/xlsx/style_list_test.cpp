#include "xlsx/style_list.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "xlsx/styles_xml.h"

using namespace zv::xlsx;

namespace
{

// The two styles every workbook starts with.
StyleList InitialStyles()
{
    StyleList list;
    Style style;
    list.Add(style);
    style.fill.patternType = PATTERN_GRAY_125;
    style.numFormat.id = 1;
    list.Add(style);
    return list;
}

std::string StylesXml(const StyleList& list)
{
    return xlsx_test::WriteToString([&](XmlWriter& xml) { WriteStylesXml(xml, list); });
}

TEST(StyleListAdd, InitialStylesShareEverythingButTheFill)
{
    const StyleList list = InitialStyles();
    EXPECT_EQ(list.Borders().size(), 1u);
    EXPECT_EQ(list.Fonts().size(), 1u);
    EXPECT_EQ(list.Fills().size(), 2u);
    EXPECT_EQ(list.NumFormats().size(), 1u);
    ASSERT_EQ(list.CellFormats().size(), 2u);
    EXPECT_EQ(list.CellFormats()[1].fillId, 1u);
    EXPECT_EQ(list.CellFormats()[1].numFormatId, 0u);
}

TEST(StyleListAdd, EqualStyleReturnsExistingIndex)
{
    StyleList list = InitialStyles();
    Style bold;
    bold.font.attributes = FONT_BOLD;
    const auto index = list.Add(bold);
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(list.Add(bold), 2u);
    EXPECT_EQ(list.Fonts().size(), 2u);
    EXPECT_EQ(list.CellFormats().size(), 3u);
    Style builtin; // built-in number format identifiers do not separate styles
    builtin.numFormat.id = 3;
    EXPECT_EQ(list.Add(builtin), 0u);
}

TEST(StyleListAdd, DiagonalSideIsIgnoredWhenComparingBorders)
{
    StyleList list = InitialStyles();
    Style a;
    a.border.diagonal.style = BORDER_THICK;
    EXPECT_EQ(list.Add(a), 0u);
    a.border.isDiagonalUp = true;
    EXPECT_EQ(list.Add(a), 2u);
    EXPECT_EQ(list.Borders().size(), 2u);
    Style aligned; // alignment separates cell formats
    aligned.alignment.horizontal = ALIGN_H_CENTER;
    EXPECT_EQ(list.Add(aligned), 3u);
    aligned.alignment.wrapText = true;
    EXPECT_EQ(list.Add(aligned), 4u);
}

TEST(StyleListAdd, CustomFormatsGetIdentifiersFrom164)
{
    StyleList list = InitialStyles();
    Style a;
    a.numFormat.id = kFirstCustomNumFormat;
    a.numFormat.formatString = u"0.000";
    Style b = a;
    b.numFormat.formatString = u"yyyy-mm-dd";
    const auto ia = list.Add(a);
    const auto ib = list.Add(b);
    EXPECT_EQ(list.CellFormats()[ia].numFormatId, 164u);
    EXPECT_EQ(list.CellFormats()[ib].numFormatId, 165u);
    EXPECT_EQ(list.Add(a), ia);
}

TEST(NumFormatCodes, ExplicitCodeIsKeptAndFieldsBuildTheRest)
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

TEST(StylesPart, DefaultWorkbookMatchesGolden)
{
    EXPECT_EQ(StylesXml(InitialStyles()), xlsx_test::Golden("styles.xml"));
}

TEST(StylesPart, FontAttributesPrecedeSize)
{
    StyleList list = InitialStyles();
    Style s;
    s.font.attributes = FONT_BOLD | FONT_ITALIC;
    s.font.theme = false;
    s.font.color = u"FF0000";
    list.Add(s);
    EXPECT_NE(
        StylesXml(list).find("<font><b/><i/><sz val=\"11\"/><name val=\"Calibri\"/><charset val=\"204\"/>"
                             "<color rgb=\"FF0000\"/></font>"),
        std::string::npos);
}

TEST(StylesPart, FillColoursInOrder)
{
    StyleList list = InitialStyles();
    Style bg;
    bg.fill.patternType = PATTERN_SOLID;
    bg.fill.bgColor = u"00FF00";
    Style both = bg;
    both.fill.fgColor = u"0000FF";
    Style odd;
    odd.fill.patternType = 40;
    list.Add(bg);
    list.Add(both);
    list.Add(odd);
    const std::string xml = StylesXml(list);
    EXPECT_NE(
        xml.find("<fill><patternFill patternType=\"solid\"><bgColor rgb=\"00FF00\"/></patternFill></fill>"),
        std::string::npos);
    EXPECT_NE(
        xml.find("<patternFill patternType=\"solid\"><fgColor rgb=\"0000FF\"/><bgColor rgb=\"00FF00\"/>"),
        std::string::npos);
    EXPECT_NE(xml.find("<fill><patternFill patternType=\"\"/></fill>"), std::string::npos);
    EXPECT_NE(xml.find("<fills count=\"5\">"), std::string::npos);
}

TEST(StylesPart, BorderSidesAndDiagonals)
{
    StyleList list = InitialStyles();
    Style s;
    s.border.left.style = BORDER_THIN;
    s.border.bottom.style = BORDER_DOUBLE;
    s.border.bottom.color = u"FF112233";
    s.border.isDiagonalDown = true;
    list.Add(s);
    EXPECT_NE(
        StylesXml(list).find("<border diagonalDown=\"1\"><left style=\"thin\"><color indexed=\"64\"/></left>"
                             "<right/><top/><bottom style=\"double\"><color rgb=\"FF112233\"/></bottom>"
                             "<diagonal/></border>"),
        std::string::npos);
}

TEST(StylesPart, CustomFormatsAndAlignment)
{
    StyleList list = InitialStyles();
    Style s;
    s.numFormat.id = kFirstCustomNumFormat;
    s.numFormat.formatString = u"0.000";
    s.alignment.horizontal = ALIGN_H_RIGHT;
    s.alignment.vertical = ALIGN_V_TOP;
    s.alignment.wrapText = true;
    list.Add(s);
    const std::string xml = StylesXml(list);
    EXPECT_NE(
        xml.find("<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/></numFmts><fonts"),
        std::string::npos);
    EXPECT_NE(
        xml.find("<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" applyNumberFormat=\"1\">"
                 "<alignment horizontal=\"right\" vertical=\"top\" wrapText=\"1\"/></xf>"),
        std::string::npos);
    EXPECT_EQ(StylesXml(InitialStyles()).find("numFmts"), std::string::npos);
}

} // namespace
