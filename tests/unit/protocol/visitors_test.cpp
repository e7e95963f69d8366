#include "protocol/visitors.h"

#include <gtest/gtest.h>

#include <string>

#include "protocol/protocol.h"

namespace zv::test
{
namespace
{

TEST(StdwstringVisitor, ReplacesTheTargetWithTheTextUpToItsFirstZero)
{
    static const char16_t with_zero[] = {u'a', u'b', 0, u'c', 0};
    const struct {
        const char16_t* text;
        bool visited;
        std::u16string expected;
    } cases[] = {
        {u"Профиль: начало,конец,длина", true, u"Профиль: начало,конец,длина"},
        {u"", true, u""},          // empty text empties the target
        {with_zero, true, u"ab"},  // the text ends at its first zero
        {u"never", false, u"old"}, // an unvisited target keeps its value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.expected.begin(), c.expected.end()));
        std::u16string target = u"old";
        stdwstring_visitor visitor(target);
        call<&string_visitor_impl::visit>(c.visited ? make_ref<string_visitor>(&visitor) : interface_ref{},
                                          c.text);
        EXPECT_EQ(target, c.expected);
    }
}

} // namespace
} // namespace zv::test
