// Every kind of style in the styles part, added to the two styles every
// workbook starts with (whose part alone, without numFmts, the workbook's
// golden test compares): a font with attributes before its size, a fill with
// its foreground before its background, an unknown pattern, border sides and
// a diagonal, custom number formats with alignment. Equal styles share their
// cell format: a built-in number format or a diagonal's side alone does not
// separate them, alignment and the diagonals' flags do; custom formats get
// identifiers from 164, an explicit code or one built from their fields.
#include "xlsx/styles_xml.h"

#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"
#include "xlsx/style_list.h"

using namespace zv::xlsx;

namespace
{

TEST(StylesXml, EveryKindOfStyleMatchesTheGoldenPart)
{
    StyleList list;
    const auto add = [&list](const std::function<void(Style&)>& set) {
        Style style;
        set(style);
        return list.Add(style);
    };
    const auto custom = [&add](const std::function<void(NumFormat&)>& set) {
        return add([&set](Style& s) {
            s.numFormat.id = kFirstCustomNumFormat;
            set(s.numFormat);
        });
    };
    EXPECT_EQ(add([](Style&) {}), 0u);
    EXPECT_EQ(add([](Style& s) { s.numFormat.id = 3; }), 0u);
    EXPECT_EQ(add([](Style& s) { s.border.diagonal.style = BORDER_THICK; }), 0u);
    EXPECT_EQ(add([](Style& s) {
                  s.fill.patternType = PATTERN_GRAY_125;
                  s.numFormat.id = 1;
              }),
              1u);
    const auto bold = [](Style& s) {
        s.font.attributes = FONT_BOLD | FONT_ITALIC;
        s.font.theme = false;
        s.font.color = u"FF0000";
    };
    EXPECT_EQ(add(bold), 2u);
    EXPECT_EQ(add(bold), 2u);
    add([](Style& s) {
        s.fill.patternType = PATTERN_SOLID;
        s.fill.bgColor = u"00FF00";
        s.fill.fgColor = u"0000FF";
    });
    add([](Style& s) { s.fill.patternType = 40; });
    add([](Style& s) {
        s.border.left.style = BORDER_THIN;
        s.border.bottom.style = BORDER_DOUBLE;
        s.border.bottom.color = u"FF112233";
        s.border.isDiagonalDown = true;
    });
    add([](Style& s) {
        s.numFormat.id = kFirstCustomNumFormat;
        s.numFormat.formatString = u"0.000";
        s.alignment = {ALIGN_H_RIGHT, ALIGN_V_TOP, true};
    });
    EXPECT_EQ(add([](Style& s) {
                  s.border.diagonal.style = BORDER_THICK;
                  s.border.isDiagonalUp = true;
              }),
              7u);
    EXPECT_EQ(add([](Style& s) { s.alignment.horizontal = ALIGN_H_CENTER; }), 8u);
    EXPECT_EQ(add([](Style& s) { s.alignment = {ALIGN_H_CENTER, ALIGN_V_NONE, true}; }), 9u);
    custom([](NumFormat& f) { f.formatString = u"yyyy-mm-dd"; });
    custom([](NumFormat& f) { f.formatString = u"0.000"; }); // 164 again
    custom([](NumFormat& f) { f.formatString = u"0.0&quot;m&quot;"; });
    custom([](NumFormat& f) {
        f.showThousandsSeparator = true;
        f.digitsAfterPoint = 2;
    });
    custom([](NumFormat& f) {
        f.showThousandsSeparator = true;
        f.digitsAfterPoint = 2;
        f.numberStyle = NUMSTYLE_EXPONENTIAL;
    });
    custom([](NumFormat& f) {
        f.showThousandsSeparator = true;
        f.digitsAfterPoint = 2;
        f.negativeColor = NUMCOLOR_RED;
    });
    custom([](NumFormat& f) { f.numberStyle = NUMSTYLE_DATETIME; });
    const std::string xml = xlsx_test::WriteToString([&](XmlWriter& x) { WriteStylesXml(x, list); });
    EXPECT_EQ(xml, xlsx_test::Golden("styles_every_kind.xml"));
}

} // namespace
