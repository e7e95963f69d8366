#include "captured_text.h"
#include "host/zvk_io.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

namespace
{

// The five special characters are quoted and nothing else; an adapter whose own text is the input gets the
// whole result, however much longer.
TEST(XmlQuote, QuotesTheFiveSpecialCharactersIntoAnAdapterBoundToTheInput)
{
    const std::pair<const char16_t*, std::u16string> cases[] = {
        {u"a&b<c>d\"e'f", u"a&amp;b&lt;c&gt;d&quot;e&apos;f"},
        {nullptr, u""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        zv::test::captured_text out;
        out.wide = u"untouched";
        EXPECT_TRUE(zv_xml_quote_string(cases[i].first, out.handle()));
        EXPECT_EQ(out.calls, 1);
        EXPECT_EQ(out.wide, cases[i].second);
    }
    zv::test::captured_text bound;
    bound.wide.assign(10000, u'&');
    ASSERT_TRUE(zv_xml_quote_string(bound.wide.c_str(), bound.handle()));
    ASSERT_EQ(bound.wide.size(), 50000u);
    EXPECT_EQ(bound.wide.substr(49995), u"&amp;");
    EXPECT_TRUE(zv_xml_quote_string(u"<x>", nullptr)) << "a null adapter is ignored";
}

} // namespace
