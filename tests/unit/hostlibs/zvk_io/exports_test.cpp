#include "host/zvk_basic.h"
#include "host/zvk_io.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

namespace
{

// An adapter bound to a UTF-16 string, as the module binds its own.
struct bound_adapter {
    explicit bound_adapter(std::u16string& text) : target(text) {}
    ~bound_adapter() { zv_string_adp_destroy(handle); }
    static void wide(const char16_t* text, void* self)
    {
        static_cast<bound_adapter*>(self)->target = text == nullptr ? u"" : text;
        ++static_cast<bound_adapter*>(self)->calls;
    }
    std::u16string& target;
    int calls = 0;
    zv_string_adp_t handle = zv_string_adp_create(nullptr, &wide, this);
};

// The five special characters are quoted and nothing else, already quoted
// text again; an adapter bound to the input string gets the whole result,
// however much longer.
TEST(XmlQuote, QuotesTheFiveSpecialCharactersIntoAnAdapterBoundToTheInput)
{
    const std::pair<const char16_t*, std::u16string> cases[] = {
        {u"a&b<c>d\"e'f", u"a&amp;b&lt;c&gt;d&quot;e&apos;f"},
        {u"Профиль №1; x=5", u"Профиль №1; x=5"},
        {u"&amp;", u"&amp;amp;"},
        {u"", u""},
        {nullptr, u""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        std::u16string out = u"untouched";
        bound_adapter adapter(out);
        EXPECT_TRUE(zv_xml_quote_string(cases[i].first, adapter.handle));
        EXPECT_EQ(adapter.calls, 1);
        EXPECT_EQ(out, cases[i].second);
    }
    std::u16string text(10000, u'&');
    bound_adapter adapter(text);
    ASSERT_TRUE(zv_xml_quote_string(text.c_str(), adapter.handle));
    ASSERT_EQ(text.size(), 50000u);
    EXPECT_EQ(text.substr(49995), u"&amp;");
    EXPECT_TRUE(zv_xml_quote_string(u"<x>", nullptr)) << "a null adapter is ignored";
}

} // namespace
