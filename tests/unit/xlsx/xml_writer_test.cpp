#include "xlsx/xml_writer.h"

#include <gtest/gtest.h>

#include "test_support.h"

using xlsx_test::WriteToString;
using zv::xlsx::XmlToken;
using zv::xlsx::XmlWriter;

namespace
{

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n";

// The document without its declaration line.
std::string Body(const std::function<void(XmlWriter&)>& write)
{
    const std::string text = WriteToString(write);
    EXPECT_EQ(text.substr(0, kDecl.size()), kDecl);
    return text.substr(kDecl.size());
}

TEST(XmlWriterTokens, ElementsOpenAndCloseAsWritten)
{
    const struct {
        const char* what;
        std::function<void(XmlWriter&)> write;
        const char* expected;
    } cases[] = {
        {"empty element is self-closed with attributes",
         [](XmlWriter& x) { x.Tag("a").Attr("k", "v").Attr("n", 3).End(); }, "<a k=\"v\" n=\"3\"/>"},
        {"content closes the start tag", [](XmlWriter& x) { x.Tag("a").Attr("k", "v").Text("hi").End(); },
         "<a k=\"v\">hi</a>"},
        {"empty content still gives an end tag", [](XmlWriter& x) { x.Element("e", ""); }, "<e></e>"},
        {"named end tag closes down to that element",
         [](XmlWriter& x) { x.Tag("a").Tag("b").Tag("c").Attr("x", 1).End("b").Tag("d").End(); },
         "<a><b><c x=\"1\"/></b><d/></a>"},
        {"unnamed end tag closes exactly one",
         [](XmlWriter& x) { x.Tag("a").Tag("b").End().Text("t").End(); }, "<a><b/>t</a>"},
        {"destruction closes every open element innermost first",
         [](XmlWriter& x) { x.Tag("a").Tag("b").Text("t").Tag("c").Attr("k", "v"); },
         "<a><b>t<c k=\"v\"/></b></a>"},
        {"prolog is written only at the start",
         [](XmlWriter& x) {
             x << XmlToken::Prolog();
             x.Tag("a").End() << XmlToken::Prolog();
         },
         "<a/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Body(c.write), c.expected);
    }
}

// Floating point takes fifteen significant digits (a float those of its
// double value); integers are decimal over their whole range.
TEST(XmlWriterNumbers, FifteenSignificantDigitsAndWholeIntegers)
{
    EXPECT_EQ(Body([](XmlWriter& x) {
                  x << 0.7 << " " << 15.0 << " " << 2.0 / 3.0 << " " << 1e20 << " " << 12.3f;
              }),
              "0.7 15 0.666666666666667 1e+20 12.3000001907349");
    EXPECT_EQ(Body([](XmlWriter& x) {
                  x << -7 << "," << 42u << "," << std::uint64_t{18446744073709551615ULL} << ","
                    << std::int64_t{-9223372036854775807LL - 1};
              }),
              "-7,42,18446744073709551615,-9223372036854775808");
}

// UTF-16 text is encoded as UTF-8 where it crosses the writer's buffer (the
// encoder's own cases are in the UTF-8 tests).
TEST(XmlWriterText, LongUtf16TextsCrossTheBufferIntact)
{
    std::u16string text;
    std::string expected;
    for (int i = 0; i < 50000; ++i) {
        text += u"Ж1\U0001F600";
        expected += "\xD0\x96"
                    "1\xF0\x9F\x98\x80";
    }
    EXPECT_EQ(Body([&](XmlWriter& x) {
                  for (int i = 0; i < 3; ++i)
                      x << text;
              }),
              expected + expected + expected);
}

} // namespace
