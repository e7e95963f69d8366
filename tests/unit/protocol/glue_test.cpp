#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "protocol/protocol.h"
#include "protocol/visitors.h"

namespace zv
{

// An interface of this test only: everything comes from its one declaration.
namespace iface
{
struct gauge;
}

class gauge_impl : public impl_root<iface::gauge>
{
  public:
    virtual std::int32_t scaled(std::int32_t value) { return value; }
    virtual bool accept(interface_ref) { return false; }
    virtual interface_ref echo(interface_ref) { return {}; }
    virtual std::int32_t reading() const { return 0; } // const and noexcept members are slots too
    virtual bool ready() noexcept { return false; }
};

ZV_INTERFACE(gauge, "zv_gauge_interface_3", 6, &gauge_impl::scaled, &gauge_impl::accept, &gauge_impl::echo,
             &gauge_impl::reading, &gauge_impl::ready);

} // namespace zv

namespace zv::test
{
namespace
{

class doubling_gauge : public gauge_impl
{
  public:
    std::int32_t scaled(std::int32_t value) override { return value * 2; }
    bool accept(interface_ref r) override
    {
        received = r;
        return true;
    }
    interface_ref echo(interface_ref r) override { return r; }
    std::int32_t reading() const override { return 17; }
    bool ready() noexcept override { return true; }
    interface_ref received;
};

class throwing_gauge : public gauge_impl
{
  public:
    std::int32_t scaled(std::int32_t) override { throw std::runtime_error("boom"); }
    bool accept(interface_ref) override { throw 42; }
    interface_ref echo(interface_ref) override { throw std::bad_alloc(); }
    std::intptr_t query_match(const char*, const void** t, void** o) override
    {
        *t = table<iface::gauge>();
        *o = this;
        throw std::runtime_error("half-written answer");
    }
};

const slot_fn* slots_of(const void* table)
{
    return static_cast<const slot_fn*>(table);
}

interface_ref query(const interface_ref& root, const char* name)
{
    interface_ref result{reinterpret_cast<const void*>(1), reinterpret_cast<void*>(1)};
    auto fn = reinterpret_cast<query_fn>(slots_of(root.table)[0]);
    fn(root.table, root.object, name, &result.table, &result.object);
    return result;
}

// Every slot of the table is filled, or the interface does not compile
// (rejected_forms.cpp); each is reached here.
TEST(CallWrapper, ForwardsArgumentsAndResults)
{
    doubling_gauge g;
    const interface_ref r = make_ref<iface::gauge>(&g);
    EXPECT_EQ(call<&gauge_impl::scaled>(r, 21), 42);
    const interface_ref payload{table<iface::string_visitor>(), &g};
    EXPECT_TRUE(call<&gauge_impl::accept>(r, payload));
    EXPECT_EQ(g.received, payload);
    EXPECT_EQ(call<&gauge_impl::echo>(r, payload), payload);
    EXPECT_EQ(call<&gauge_impl::reading>(r), 17);
    EXPECT_TRUE(call<&gauge_impl::ready>(r));
    interface_ref out;
    make_ref<iface::gauge>(&g, &out);
    EXPECT_EQ(out, r);
    make_ref<iface::gauge>(&g, nullptr); // tolerated

    // A null argument address arrives as a null reference.
    using accept_fn = bool (*)(const void*, void*, const interface_ref*);
    EXPECT_TRUE(
        reinterpret_cast<accept_fn>(slots_of(table<iface::gauge>())[2])(table<iface::gauge>(), &g, nullptr));
    EXPECT_FALSE(g.received.valid());
}

// Null references call nothing; exceptions stop at the thunk. Either way the
// caller gets the slot's default.
TEST(CallWrapper, NullReferencesAndThrowingObjectsYieldDefaults)
{
    doubling_gauge g;
    throwing_gauge thrower;
    for (const interface_ref& r : {interface_ref{}, interface_ref{table<iface::gauge>(), nullptr},
                                   interface_ref{nullptr, &g}, make_ref<iface::gauge>(&thrower)}) {
        EXPECT_EQ(call<&gauge_impl::scaled>(r, 5), 0);
        EXPECT_FALSE(call<&gauge_impl::accept>(r, make_ref<iface::gauge>(&g)));
        EXPECT_FALSE(call<&gauge_impl::echo>(r, make_ref<iface::gauge>(&g)).valid());
    }
    EXPECT_FALSE(g.received.valid());
}

TEST(InterfaceQuery, RootAnswersExactlyTheVersionedName)
{
    doubling_gauge g;
    const interface_ref root = root_of(make_ref<iface::gauge>(&g));
    ASSERT_TRUE(root.valid());
    EXPECT_EQ(root.table, root_table<iface::gauge>());
    EXPECT_EQ(query(root, "zv_gauge_interface_3"), make_ref<iface::gauge>(&g));
    for (const char* other : {"zv_gauge_interface_2", "zv_gauge_interface_30", ""})
        EXPECT_EQ(query(root, other), interface_ref{}) << other;
    EXPECT_FALSE(query(root, nullptr).valid());

    obj o;
    EXPECT_TRUE(query(root_of(o.as_referent()), "zv_referent_interface_1").valid());
}

int counted_queries = 0;

TEST(InterfaceCast, NullRootCallsNothingAndAThrowingMatchAnswersNull)
{
    const slot_fn counting_table[1] = {
        reinterpret_cast<slot_fn>(+[](const void*, void*, const char*, const void** t, void** o) noexcept {
            ++counted_queries;
            *t = table<iface::gauge>();
            *o = &counted_queries;
        })};
    EXPECT_FALSE(cast<iface::gauge>(interface_ref{counting_table, nullptr}).valid());
    EXPECT_FALSE(cast<iface::gauge>(interface_ref{}).valid());
    EXPECT_EQ(counted_queries, 0);
    EXPECT_TRUE(cast<iface::gauge>(interface_ref{counting_table, &counted_queries}).valid());
    EXPECT_EQ(counted_queries, 1);

    throwing_gauge g;
    EXPECT_EQ(cast<iface::gauge>(root_of(make_ref<iface::gauge>(&g))), interface_ref{});
}

// A table of "another module" forwarding to our thunks: same object, other table.
TEST(FromRef, ForeignTableYieldsNullEvenForOurOwnObject)
{
    doubling_gauge g;
    slot_fn foreign[6];
    std::copy_n(slots_of(table<iface::gauge>()), 6, foreign);
    const interface_ref through_foreign{foreign, &g};
    EXPECT_EQ(call<&gauge_impl::scaled>(through_foreign, 4), 8);
    EXPECT_EQ(from_ref<iface::gauge>(through_foreign), nullptr);
    EXPECT_EQ(from_ref<iface::gauge>(make_ref<iface::gauge>(&g)), &g);
    EXPECT_EQ(from_ref<iface::gauge>(interface_ref{table<iface::gauge>(), nullptr}), nullptr);
}

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
        call<&string_visitor_impl::visit>(
            c.visited ? make_ref<iface::string_visitor>(&visitor) : interface_ref{}, c.text);
        EXPECT_EQ(target, c.expected);
    }
}

} // namespace
} // namespace zv::test
