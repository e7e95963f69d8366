#include "xlsx/styles_xml.h"

namespace zv::xlsx
{
namespace
{

void WriteNumFormats(XmlWriter& xml, const StyleList& styles)
{
    std::size_t custom = 0;
    for (const NumFormat& f : styles.NumFormats())
        if (f.id >= kFirstCustomNumFormat)
            ++custom;
    if (custom == 0)
        return;
    xml.Tag("numFmts").Attr("count", custom);
    for (const NumFormat& f : styles.NumFormats()) {
        if (f.id < kFirstCustomNumFormat)
            continue;
        xml.Tag("numFmt").Attr("numFmtId", f.id).Attr("formatCode", NumFormatCode(f)).End("numFmt");
    }
    xml.End("numFmts");
}

void WriteFont(XmlWriter& xml, const Font& font)
{
    static const char* const kAttributeTags[] = {"b",       "i",      "u",        "strike",
                                                 "outline", "shadow", "condense", "extend"};
    xml.Tag("font");
    for (int bit = 0; bit < 8; ++bit)
        if (font.attributes & (1 << bit))
            xml.Tag(kAttributeTags[bit]).End();
    xml.Tag("sz").Attr("val", font.size).End();
    xml.Tag("name").Attr("val", font.name).End();
    xml.Tag("charset").Attr("val", 204).End();
    if (!font.theme && !font.color.empty())
        xml.Tag("color").Attr("rgb", font.color).End();
    else
        xml.Tag("color").Attr("theme", 1).End();
    xml.End("font");
}

void WriteFill(XmlWriter& xml, const Fill& fill)
{
    xml.Tag("fill").Tag("patternFill").Attr("patternType", PatternName(fill.patternType));
    if (!fill.fgColor.empty())
        xml.Tag("fgColor").Attr("rgb", fill.fgColor).End();
    if (!fill.bgColor.empty())
        xml.Tag("bgColor").Attr("rgb", fill.bgColor).End();
    xml.End("fill");
}

void WriteBorderSide(XmlWriter& xml, const char* side, const BorderItem& item)
{
    xml.Tag(side);
    if (const char* style = BorderStyleName(item.style)) {
        xml.Attr("style", style).Tag("color");
        if (item.color.empty())
            xml.Attr("indexed", 64);
        else
            xml.Attr("rgb", item.color);
    }
    xml.End(side);
}

void WriteBorder(XmlWriter& xml, const Border& border)
{
    xml.Tag("border");
    if (border.isDiagonalUp)
        xml.Attr("diagonalUp", 1);
    if (border.isDiagonalDown)
        xml.Attr("diagonalDown", 1);
    WriteBorderSide(xml, "left", border.left);
    WriteBorderSide(xml, "right", border.right);
    WriteBorderSide(xml, "top", border.top);
    WriteBorderSide(xml, "bottom", border.bottom);
    WriteBorderSide(xml, "diagonal", border.diagonal);
    xml.End("border");
}

void WriteAlignment(XmlWriter& xml, const Alignment& a)
{
    static const char* const kHorizontal[] = {"", "left", "center", "right"};
    static const char* const kVertical[] = {"", "top", "center", "bottom"};
    const bool horizontal = a.horizontal > ALIGN_H_NONE && a.horizontal <= ALIGN_H_RIGHT;
    const bool vertical = a.vertical > ALIGN_V_NONE && a.vertical <= ALIGN_V_BOTTOM;
    if (!horizontal && !vertical && !a.wrapText)
        return;
    xml.Tag("alignment");
    if (horizontal)
        xml.Attr("horizontal", kHorizontal[a.horizontal]);
    if (vertical)
        xml.Attr("vertical", kVertical[a.vertical]);
    if (a.wrapText)
        xml.Attr("wrapText", 1);
    xml.End("alignment");
}

void WriteCellFormat(XmlWriter& xml, const CellFormat& cell)
{
    xml.Tag("xf").Attr("numFmtId", cell.numFormatId).Attr("fontId", cell.fontId);
    xml.Attr("fillId", cell.fillId).Attr("borderId", cell.borderId);
    if (cell.fontId != 0)
        xml.Attr("applyFont", 1);
    if (cell.fillId != 0)
        xml.Attr("applyFill", 1);
    if (cell.borderId != 0)
        xml.Attr("applyBorder", 1);
    if (cell.numFormatId != 0)
        xml.Attr("applyNumberFormat", 1);
    WriteAlignment(xml, cell.alignment);
    xml.End("xf");
}

template <typename List, typename Fn>
void WriteCounted(XmlWriter& xml, const char* tag, const List& list, Fn write_one)
{
    xml.Tag(tag).Attr("count", list.size());
    for (const auto& item : list)
        write_one(xml, item);
    xml.End(tag);
}

void WriteFixedTail(XmlWriter& xml)
{
    xml.Tag("cellStyles").Attr("count", 1);
    xml.Tag("cellStyle").Attr("name", "Normal").Attr("xfId", 0).Attr("builtinId", 0).End("cellStyles");
    xml.Tag("dxfs").Attr("count", 0).End();
    xml.Tag("tableStyles").Attr("count", 0).Attr("defaultTableStyle", "TableStyleMedium2");
    xml.Attr("defaultPivotStyle", "PivotStyleLight16").End();
    xml.Tag("extLst").Tag("ext").Attr("uri", "{EB79DEF2-80B8-43e5-95BD-54CBDDF9020C}");
    xml.Attr("xmlns:x14", "http://schemas.microsoft.com/office/spreadsheetml/2009/9/main");
    xml.Tag("x14:slicerStyles").Attr("defaultSlicerStyle", "SlicerStyleLight1").End("extLst");
}

} // namespace

const char* PatternName(std::int32_t pattern)
{
    static const char* const kNames[] = {"none",          "solid",          "mediumGray",   "darkGray",
                                         "lightGray",     "darkHorizontal", "darkVertical", "darkDown",
                                         "darkUp",        "darkGrid",       "darkTrellis",  "lightHorizontal",
                                         "lightVertical", "lightDown",      "lightUp",      "lightGrid",
                                         "lightTrellis",  "gray125",        "gray0625"};
    if (pattern < 0 || pattern > PATTERN_GRAY_0625)
        return "";
    return kNames[pattern];
}

const char* BorderStyleName(std::int32_t style)
{
    static const char* const kNames[] = {nullptr,
                                         "thin",
                                         "medium",
                                         "dashed",
                                         "dotted",
                                         "thick",
                                         "double",
                                         "hair",
                                         "mediumDashed",
                                         "dashDot",
                                         "mediumDashDot",
                                         "dashDotDot",
                                         "mediumDashDotDot",
                                         "slantDashDot"};
    if (style <= BORDER_NONE || style > BORDER_SLANT_DASH_DOT)
        return nullptr;
    return kNames[style];
}

void WriteStylesXml(XmlWriter& xml, const StyleList& styles)
{
    xml.Tag("styleSheet").Attr("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
    xml.Attr("xmlns:mc", "http://schemas.openxmlformats.org/markup-compatibility/2006");
    xml.Attr("mc:Ignorable", "x14ac");
    xml.Attr("xmlns:x14ac", "http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac");
    WriteNumFormats(xml, styles);
    WriteCounted(xml, "fonts", styles.Fonts(), WriteFont);
    WriteCounted(xml, "fills", styles.Fills(), WriteFill);
    WriteCounted(xml, "borders", styles.Borders(), WriteBorder);
    xml.Tag("cellStyleXfs").Attr("count", 1);
    xml.Tag("xf")
        .Attr("numFmtId", 0)
        .Attr("fontId", 0)
        .Attr("fillId", 0)
        .Attr("borderId", 0)
        .End("cellStyleXfs");
    xml.Tag("cellXfs");
    for (const CellFormat& cell : styles.CellFormats())
        WriteCellFormat(xml, cell);
    xml.End("cellXfs");
    WriteFixedTail(xml);
    xml.End("styleSheet");
}

} // namespace zv::xlsx
