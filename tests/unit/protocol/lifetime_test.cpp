#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "probes.h"

namespace zv::test
{
namespace
{

using strong_service = ref<custom_app_service, 0>;
using weak_service = ref<custom_app_service, 1>;

TEST(RefHolder, StrongHolderKeepsAliveAndItsReleaseDestroys)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    {
        strong_service holder(s->service_ref());
        EXPECT_EQ(s->referrer_count(), 1u);
        EXPECT_TRUE(holder.valid());
    }
    EXPECT_EQ(log, std::vector<std::string>{"s"});
}

TEST(RefHolder, WeakHolderIsReleasedOnceAndNulled)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    const interface_ref expected_referent = s->referent_ref();
    spy_referrer watcher(false);
    add_referrer(expected_referent, watcher.self());
    weak_service weak(s->service_ref());
    auto strong = std::make_unique<strong_service>(s->service_ref());
    EXPECT_EQ(s->referrer_count(), 3u);

    strong.reset();
    EXPECT_EQ(log, std::vector<std::string>{"s"});
    EXPECT_FALSE(weak.valid());
    EXPECT_EQ(weak.get(), interface_ref{});
    EXPECT_EQ(watcher.released_calls, 1);
    EXPECT_EQ(watcher.last_released, expected_referent);
}

TEST(RefHolder, WeakHolderAloneDoesNotKeepAlive)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    weak_service weak(s->service_ref());
    spy_referrer other(false);
    add_referrer(s->referent_ref(), other.self());
    remove_referrer(s->referent_ref(), other.self()); // scan: only a weak holder left
    EXPECT_EQ(log, std::vector<std::string>{"s"});
    EXPECT_FALSE(weak.valid());
}

TEST(RefHolder, CopyAttachesAgainAndResetToTheSameReferenceIsANoOp)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    strong_service a(s->service_ref());
    strong_service b(a);
    EXPECT_EQ(s->referrer_count(), 2u);
    b.reset(a.get());
    EXPECT_EQ(s->referrer_count(), 2u);
    a.reset();
    EXPECT_TRUE(log.empty());
    b = strong_service();
    EXPECT_EQ(log, std::vector<std::string>{"s"});
}

TEST(RefHolder, UnmanagedObjectIsSimplyHeld)
{
    custom_app_service_impl plain; // its referent slot answers null
    {
        strong_service holder(make_ref<custom_app_service>(&plain));
        EXPECT_TRUE(holder.valid());
    }
    SUCCEED() << "no referent was called, nothing was destroyed";
}

TEST(RefHolder, StrongAndWeakAnswerHolds)
{
    EXPECT_TRUE(strong_service().holds());
    EXPECT_FALSE(weak_service().holds());
    EXPECT_FALSE(referrer_impl().holds());
}

TEST(ReferentPin, KeepsTheObjectUntilItsOwnRemoval)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    const interface_ref r = s->referent_ref();
    auto holder = std::make_unique<strong_service>(s->service_ref());
    add_referrer(r, interface_ref{});
    holder.reset();
    EXPECT_TRUE(log.empty());
    remove_referrer(r, interface_ref{});
    EXPECT_EQ(log, std::vector<std::string>{"s"});
}

TEST(ReferentPin, DuplicatesCountOneByOne)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    const interface_ref r = s->referent_ref();
    spy_referrer strong(true);
    add_referrer(r, strong.self());
    add_referrer(r, strong.self());
    remove_referrer(r, strong.self());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(s->referrer_count(), 1u);
    remove_referrer(r, strong.self());
    EXPECT_EQ(log, std::vector<std::string>{"s"});
}

TEST(KeepAliveScan, RemovingAnAbsentReferenceStillRunsTheScan)
{
    std::vector<std::string> log;
    auto* kept = new probe_service(log, "kept");
    spy_referrer strong(true), stranger(true);
    add_referrer(kept->referent_ref(), strong.self());
    remove_referrer(kept->referent_ref(), stranger.self());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(kept->referrer_count(), 1u);
    EXPECT_EQ(strong.holds_calls, 1);

    auto* orphan = new probe_service(log, "orphan");
    remove_referrer(orphan->referent_ref(), stranger.self());
    EXPECT_EQ(log, std::vector<std::string>{"orphan"});
    remove_referrer(kept->referent_ref(), strong.self());
}

TEST(KeepAliveScan, StopsAtTheFirstEntryThatKeepsAlive)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    spy_referrer weak(false), strong(true), later(true), leaving(false);
    for (auto* r : {&weak, &strong, &later, &leaving})
        add_referrer(s->referent_ref(), r->self());
    remove_referrer(s->referent_ref(), leaving.self());
    EXPECT_EQ(weak.holds_calls, 1);
    EXPECT_EQ(strong.holds_calls, 1);
    EXPECT_EQ(later.holds_calls, 0);
    remove_referrer(s->referent_ref(), strong.self());
    remove_referrer(s->referent_ref(), later.self());
    EXPECT_EQ(log, std::vector<std::string>{"s"});
    EXPECT_EQ(weak.released_calls, 1);
    EXPECT_EQ(strong.released_calls, 0);
}

// A foreign holds() that detaches the last strong holder while the scan runs:
// the object must survive its own scan and go right after it.
TEST(KeepAliveReentrancy, RemovalDuringTheScanIsAppliedAfterIt)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    const interface_ref r = s->referent_ref();
    spy_referrer caller(false), strong(true), leaving(false);
    bool alive_after_nested_call = false;
    caller.on_holds = [&] {
        if (caller.holds_calls > 1)
            return;
        remove_referrer(r, strong.self());
        alive_after_nested_call = log.empty();
    };
    for (auto* x : {&caller, &strong, &leaving})
        add_referrer(r, x->self());
    remove_referrer(r, leaving.self());
    EXPECT_TRUE(alive_after_nested_call);
    EXPECT_EQ(log, std::vector<std::string>{"s"});
    EXPECT_EQ(caller.released_calls, 1);
    EXPECT_EQ(strong.released_calls, 0);
}

TEST(KeepAliveReentrancy, RemovalDuringTheScanKeepsTheVerdictOfTheFinalList)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    const interface_ref r = s->referent_ref();
    spy_referrer caller(false), strong(true), leaving(false);
    caller.on_holds = [&] {
        if (caller.holds_calls > 1)
            return;
        remove_referrer(r, caller.self()); // leaves itself; `strong` remains
    };
    for (auto* x : {&caller, &strong, &leaving})
        add_referrer(r, x->self());
    remove_referrer(r, leaving.self());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(s->referrer_count(), 1u);
    remove_referrer(r, strong.self());
    EXPECT_EQ(log, std::vector<std::string>{"s"});
    EXPECT_EQ(caller.released_calls, 0);
}

TEST(KeepAliveReentrancy, RemovalFromInsideReleasedDoesNotDestroyTwice)
{
    std::vector<std::string> log;
    auto* s = new probe_service(log, "s");
    const interface_ref r = s->referent_ref();
    spy_referrer polite(false), strong(true);
    polite.on_released = [&] { remove_referrer(r, polite.self()); };
    add_referrer(r, polite.self());
    add_referrer(r, strong.self());
    remove_referrer(r, strong.self());
    EXPECT_EQ(log, std::vector<std::string>{"s"});
    EXPECT_EQ(polite.released_calls, 1);
}

TEST(ReferentParent, ChildKeepsItsParentAlive)
{
    std::vector<std::string> log;
    auto* parent = new probe_service(log, "parent");
    auto* child = new probe_service(log, "child", parent->referent_ref());
    EXPECT_EQ(parent->referrer_count(), 1u);
    EXPECT_EQ(call<&referent_impl::parent>(child->referent_ref()), parent->referent_ref());
    {
        strong_service holder(child->service_ref());
    }
    EXPECT_EQ(log, (std::vector<std::string>{"child", "parent"}));
}

// The parent is pinned while the child detaches, so the parent is still whole
// while the child's destruction releases its hold on it, and goes only when
// the pin is removed.
TEST(ReferentParent, ParentIsPinnedWhileTheChildDetaches)
{
    std::vector<std::string> log;
    auto* parent = new probe_service(log, "parent");
    const interface_ref parent_referent = parent->referent_ref();
    spy_referrer watcher(false);
    add_referrer(parent_referent, watcher.self());
    std::size_t parent_entries_during_child_release = 0;
    {
        auto* child = new probe_service(log, "child", parent_referent);
        spy_referrer child_watcher(false);
        add_referrer(child->referent_ref(), child_watcher.self());
        child_watcher.on_released = [&] { parent_entries_during_child_release = parent->referrer_count(); };
        strong_service holder(child->service_ref());
    }
    // watcher + the child's strong hold + the pin
    EXPECT_EQ(parent_entries_during_child_release, 3u);
    EXPECT_EQ(log, (std::vector<std::string>{"child", "parent"}));
    EXPECT_EQ(watcher.released_calls, 1);
}

TEST(ReferentParent, ParentWithOtherHoldersSurvivesTheChild)
{
    std::vector<std::string> log;
    auto* parent = new probe_service(log, "parent");
    strong_service parent_holder(parent->service_ref());
    {
        auto* child = new probe_service(log, "child", parent->referent_ref());
        strong_service holder(child->service_ref());
    }
    EXPECT_EQ(log, std::vector<std::string>{"child"});
    EXPECT_EQ(parent->referrer_count(), 1u);
}

TEST(ReferentIdentity, ReferentReferenceNamesTheLifetimeCore)
{
    std::vector<std::string> log;
    probe_service s(log, "stack");
    const interface_ref r = s.referent_ref();
    EXPECT_EQ(r.table, table<referent<>>());
    EXPECT_EQ(r.object, static_cast<void*>(static_cast<referent_impl*>(static_cast<obj*>(&s))));
    EXPECT_NE(r.object, s.service_ref().object);
    EXPECT_EQ(call<&referent_impl::as_referent>(r), r);
    EXPECT_FALSE(call<&referent_impl::parent>(r).valid());
    EXPECT_FALSE(referent_impl().as_referent().valid());
}

} // namespace
} // namespace zv::test
