#include "xlsx/theme_xml.h"

namespace zv::xlsx
{
namespace
{

struct ColorStop {
    int pos;
    int tint;   // 0 = none
    int shade;  // 0 = none
    int satMod; // 0 = none
};

void WriteColorScheme(XmlWriter& xml)
{
    static const char* const kSlots[][2] = {
        {"a:dk2", "1F497D"},     {"a:lt2", "EEECE1"},     {"a:accent1", "4F81BD"}, {"a:accent2", "C0504D"},
        {"a:accent3", "9BBB59"}, {"a:accent4", "8064A2"}, {"a:accent5", "4BACC6"}, {"a:accent6", "F79646"},
        {"a:hlink", "0000FF"},   {"a:folHlink", "800080"}};
    xml.Tag("a:clrScheme").Attr("name", "Office");
    xml.Tag("a:dk1").Tag("a:sysClr").Attr("val", "windowText").Attr("lastClr", "000000").End("a:dk1");
    xml.Tag("a:lt1").Tag("a:sysClr").Attr("val", "window").Attr("lastClr", "FFFFFF").End("a:lt1");
    for (const auto& slot : kSlots)
        xml.Tag(slot[0]).Tag("a:srgbClr").Attr("val", slot[1]).End(slot[0]);
    xml.End("a:clrScheme");
}

void WriteFontGroup(XmlWriter& xml, const char* tag)
{
    static const char* const kScripts[][2] = {{"Arab", "Times New Roman"},
                                              {"Herb", "Times New Roman"},
                                              {"Thai", "Tahoma"},
                                              {"Ethi", "Nyala"},
                                              {"Beng", "Vrinda"},
                                              {"Gujr", "Shruti"},
                                              {"Khmr", "MoolBoran"},
                                              {"Knda", "Tunga"},
                                              {"Guru", "Raavi"},
                                              {"Cans", "Euphemia"},
                                              {"Cher", "Plantagenet Cherokee"},
                                              {"Yiii", "Microsoft Yi Baiti"},
                                              {"Tibt", "Microsoft Himalaya"},
                                              {"Thaa", "MV Boli"},
                                              {"Deva", "Mangal"},
                                              {"Telu", "Gautami"},
                                              {"Taml", "Latha"},
                                              {"Syrc", "Estrangelo Edessa"},
                                              {"Orya", "Kalinga"},
                                              {"Mlym", "Kartika"},
                                              {"Laoo", "DokChampa"},
                                              {"Sinh", "Iskoola Pota"},
                                              {"Mong", "Mongolian Baiti"},
                                              {"Viet", "Times New Roman"},
                                              {"Uigh", "Microsoft Uighur"},
                                              {"Geor", "Sylfaen"}};
    xml.Tag(tag);
    xml.Tag("a:latin").Attr("typeface", "Cambria").End();
    xml.Tag("a:ea").Attr("typeface", "").End();
    xml.Tag("a:cs").Attr("typeface", "").End();
    for (const auto& s : kScripts)
        xml.Tag("a:font").Attr("script", s[0]).Attr("typeface", s[1]).End();
    xml.End(tag);
}

void WriteFontScheme(XmlWriter& xml)
{
    xml.Tag("a:fontScheme").Attr("name", "Office");
    WriteFontGroup(xml, "a:majorFont");
    WriteFontGroup(xml, "a:minorFont");
    xml.End("a:fontScheme");
}

// A placeholder colour with its modifiers.
void WritePhColor(XmlWriter& xml, int tint, int shade, int satMod)
{
    xml.Tag("a:schemeClr").Attr("val", "phClr");
    if (tint)
        xml.Tag("a:tint").Attr("val", tint).End();
    if (shade)
        xml.Tag("a:shade").Attr("val", shade).End();
    if (satMod)
        xml.Tag("a:satMod").Attr("val", satMod).End();
    xml.End("a:schemeClr");
}

void WriteSolidFill(XmlWriter& xml, int shade = 0, int satMod = 0)
{
    xml.Tag("a:solidFill");
    WritePhColor(xml, 0, shade, satMod);
    xml.End("a:solidFill");
}

template <std::size_t N> void WriteGradientStops(XmlWriter& xml, const ColorStop (&stops)[N])
{
    xml.Tag("a:gradFill").Attr("rotWithShape", 1).Tag("a:gsLst");
    for (const ColorStop& s : stops) {
        xml.Tag("a:gs").Attr("pos", s.pos);
        WritePhColor(xml, s.tint, s.shade, s.satMod);
        xml.End("a:gs");
    }
    xml.End("a:gsLst");
}

template <std::size_t N> void WriteLinearGradient(XmlWriter& xml, const ColorStop (&stops)[N], int scaled)
{
    WriteGradientStops(xml, stops);
    xml.Tag("a:lin").Attr("ang", 16200000).Attr("scaled", scaled).End();
    xml.End("a:gradFill");
}

template <std::size_t N>
void WritePathGradient(XmlWriter& xml, const ColorStop (&stops)[N], int l, int t, int r, int b)
{
    WriteGradientStops(xml, stops);
    xml.Tag("a:path").Attr("path", "circle");
    xml.Tag("a:fillToRect").Attr("l", l).Attr("t", t).Attr("r", r).Attr("b", b).End("a:path");
    xml.End("a:gradFill");
}

void WriteFillStyles(XmlWriter& xml)
{
    static const ColorStop kFirst[] = {
        {0, 50000, 0, 300000}, {35000, 37000, 0, 300000}, {100000, 15000, 0, 350000}};
    static const ColorStop kSecond[] = {
        {0, 51000, 0, 130000}, {80000, 93000, 0, 130000}, {100000, 94000, 0, 135000}};
    xml.Tag("a:fillStyleLst");
    WriteSolidFill(xml);
    WriteLinearGradient(xml, kFirst, 1);
    WriteLinearGradient(xml, kSecond, 0);
    xml.End("a:fillStyleLst");
}

void WriteLineStyles(XmlWriter& xml)
{
    static const int kWidths[] = {9525, 25400, 38100};
    xml.Tag("a:lnStyleLst");
    for (int i = 0; i < 3; ++i) {
        xml.Tag("a:ln").Attr("w", kWidths[i]).Attr("cap", "flat").Attr("cmpd", "sng").Attr("algn", "ctr");
        if (i == 0)
            WriteSolidFill(xml, 95000, 105000);
        else
            WriteSolidFill(xml);
        xml.Tag("a:prstDash").Attr("val", "solid").End("a:ln");
    }
    xml.End("a:lnStyleLst");
}

void WriteShadow(XmlWriter& xml, int dist, int alpha)
{
    xml.Tag("a:effectLst").Tag("a:outerShdw").Attr("blurRad", 40000).Attr("dist", dist);
    xml.Attr("dir", 5400000).Attr("rotWithShape", 0);
    xml.Tag("a:srgbClr").Attr("val", "000000").Tag("a:alpha").Attr("val", alpha).End("a:effectLst");
}

void WriteScene3d(XmlWriter& xml)
{
    xml.Tag("a:scene3d").Tag("a:camera").Attr("prst", "orthographicFront");
    xml.Tag("a:rot").Attr("lat", 0).Attr("lon", 0).Attr("rev", 0).End("a:camera");
    xml.Tag("a:lightRig").Attr("rig", "threePt").Attr("dir", "t");
    xml.Tag("a:rot").Attr("lat", 0).Attr("lon", 0).Attr("rev", 1200000).End("a:scene3d");
    xml.Tag("a:sp3d").Tag("a:bevelT").Attr("w", 63500).Attr("h", 25400).End("a:sp3d");
}

void WriteEffectStyles(XmlWriter& xml)
{
    xml.Tag("a:effectStyleLst");
    xml.Tag("a:effectStyle");
    WriteShadow(xml, 20000, 38000);
    xml.End("a:effectStyle").Tag("a:effectStyle");
    WriteShadow(xml, 23000, 35000);
    xml.End("a:effectStyle").Tag("a:effectStyle");
    WriteShadow(xml, 23000, 35000);
    WriteScene3d(xml);
    xml.End("a:effectStyleLst");
}

void WriteBackgroundFillStyles(XmlWriter& xml)
{
    static const ColorStop kFirst[] = {
        {0, 40000, 0, 350000}, {40000, 45000, 99000, 350000}, {100000, 0, 20000, 255000}};
    static const ColorStop kSecond[] = {{0, 80000, 0, 300000}, {100000, 0, 30000, 200000}};
    xml.Tag("a:bgFillStyleLst");
    WriteSolidFill(xml);
    WritePathGradient(xml, kFirst, 50000, -80000, 50000, 180000);
    WritePathGradient(xml, kSecond, 50000, 50000, 50000, 50000);
    xml.End("a:bgFillStyleLst");
}

} // namespace

void WriteThemeXml(XmlWriter& xml)
{
    xml.Tag("a:theme").Attr("xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main");
    xml.Attr("name", "Office Theme").Tag("a:themeElements");
    WriteColorScheme(xml);
    WriteFontScheme(xml);
    xml.Tag("a:fmtScheme").Attr("name", "Office");
    WriteFillStyles(xml);
    WriteLineStyles(xml);
    WriteEffectStyles(xml);
    WriteBackgroundFillStyles(xml);
    xml.End("a:themeElements");
    xml.Tag("a:objectDefaults").End().Tag("a:extraClrSchemeLst").End();
    xml.End("a:theme");
}

} // namespace zv::xlsx
