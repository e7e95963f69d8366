#include "host/zvk_basic.h"
#include "host/zvk_io.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

namespace
{

// An adapter bound to a UTF-16 string, as the module binds its own.
class bound_adapter
{
  public:
    explicit bound_adapter(std::u16string& target)
        : target_(target), handle_(zv_string_adp_create(&narrow, &wide, this))
    {
    }
    ~bound_adapter() { zv_string_adp_destroy(handle_); }
    zv_string_adp_t handle() const { return handle_; }
    int calls = 0;

  private:
    static void narrow(const char*, void*) {}
    static void wide(const char16_t* text, void* context)
    {
        auto* self = static_cast<bound_adapter*>(context);
        self->target_ = text == nullptr ? u"" : text;
        ++self->calls;
    }
    std::u16string& target_;
    zv_string_adp_t handle_;
};

std::u16string quoted(const char16_t* text)
{
    std::u16string out = u"untouched";
    bound_adapter adapter(out);
    EXPECT_TRUE(zv_xml_quote_string(text, adapter.handle()));
    EXPECT_EQ(adapter.calls, 1);
    return out;
}

TEST(XmlQuote, QuotesTheFiveSpecialCharactersAndNothingElse)
{
    const std::pair<const char16_t*, std::u16string> cases[] = {
        {u"a&b<c>d\"e'f", u"a&amp;b&lt;c&gt;d&quot;e&apos;f"},
        {u"&&", u"&amp;&amp;"},
        {u"Профиль №1; x=5", u"Профиль №1; x=5"},
        {u"&amp;", u"&amp;amp;"}, // already quoted text is quoted again
        {u"", u""},
        {nullptr, u""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        EXPECT_EQ(quoted(cases[i].first), cases[i].second);
    }
}

TEST(XmlQuote, AdapterBoundToTheInputStringGetsTheQuotedText)
{
    std::u16string name = u"<A & B>";
    bound_adapter adapter(name);
    ASSERT_TRUE(zv_xml_quote_string(name.c_str(), adapter.handle()));
    EXPECT_EQ(name, u"&lt;A &amp; B&gt;");
    EXPECT_TRUE(zv_xml_quote_string(u"<x>", nullptr)) << "a null adapter is ignored";
}

TEST(XmlQuote, LongInputBoundToItselfSurvivesReallocation)
{
    std::u16string text(10000, u'&');
    bound_adapter adapter(text);
    ASSERT_TRUE(zv_xml_quote_string(text.c_str(), adapter.handle()));
    ASSERT_EQ(text.size(), 50000u);
    EXPECT_EQ(text.substr(49995), u"&amp;");
}

} // namespace
