// Each kind of style's XML in the styles part, added to the two styles every
// workbook starts with (whose part the workbook's golden test compares).
#include "xlsx/styles_xml.h"

#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"
#include "xlsx/style_list.h"

using namespace zv::xlsx;

namespace
{

TEST(StylesXml, EachKindOfStyleIsWrittenInOrder)
{
    const struct {
        const char* what;
        std::function<void(Style&)> set;
        std::vector<std::string> pieces;
    } cases[] = {
        {"font attributes precede the size",
         [](Style& s) {
             s.font.attributes = FONT_BOLD | FONT_ITALIC;
             s.font.theme = false;
             s.font.color = u"FF0000";
         },
         {"<font><b/><i/><sz val=\"11\"/><name val=\"Calibri\"/><charset val=\"204\"/><color "
          "rgb=\"FF0000\"/></font>"}},
        {"foreground before background",
         [](Style& s) {
             s.fill.patternType = PATTERN_SOLID;
             s.fill.bgColor = u"00FF00";
             s.fill.fgColor = u"0000FF";
         },
         {"<fills count=\"3\">", "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"0000FF\"/><bgColor "
                                 "rgb=\"00FF00\"/></patternFill></fill>"}},
        {"unknown pattern",
         [](Style& s) { s.fill.patternType = 40; },
         {"<fill><patternFill patternType=\"\"/></fill>"}},
        {"border sides and diagonals",
         [](Style& s) {
             s.border.left.style = BORDER_THIN;
             s.border.bottom.style = BORDER_DOUBLE;
             s.border.bottom.color = u"FF112233";
             s.border.isDiagonalDown = true;
         },
         {"<border diagonalDown=\"1\"><left style=\"thin\"><color indexed=\"64\"/></left><right/><top/>"
          "<bottom style=\"double\"><color rgb=\"FF112233\"/></bottom><diagonal/></border>"}},
        {"custom format and alignment",
         [](Style& s) {
             s.numFormat.id = kFirstCustomNumFormat;
             s.numFormat.formatString = u"0.000";
             s.alignment.horizontal = ALIGN_H_RIGHT;
             s.alignment.vertical = ALIGN_V_TOP;
             s.alignment.wrapText = true;
         },
         {"<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/></numFmts><fonts",
          "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" applyNumberFormat=\"1\">"
          "<alignment horizontal=\"right\" vertical=\"top\" wrapText=\"1\"/></xf>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StyleList list;
        Style style;
        list.Add(style);
        style.fill.patternType = PATTERN_GRAY_125;
        style.numFormat.id = 1;
        list.Add(style);
        Style added;
        c.set(added);
        list.Add(added);
        const std::string xml = xlsx_test::WriteToString([&](XmlWriter& x) { WriteStylesXml(x, list); });
        for (const std::string& piece : c.pieces)
            EXPECT_NE(xml.find(piece), std::string::npos) << piece << "\n" << xml;
        EXPECT_EQ(xml.find("numFmts") != std::string::npos, &c == &cases[4]) << "only for custom formats";
    }
}

} // namespace
