#include "protocol/lifetime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "protocol/protocol.h"

namespace zv::test
{
namespace
{

using log_t = std::vector<std::string>;

// A heap object lent out as a custom_app_service; logs its name when destroyed.
class probe_service : public referent<custom_app_service_impl>
{
  public:
    probe_service(log_t& log, std::string name, const interface_ref& parent = {})
        : obj(parent), log_(log), name_(std::move(name))
    {
    }
    ~probe_service() override { log_.push_back(name_); }
    interface_ref service_ref() { return make_ref<custom_app_service>(this); }
    interface_ref referent_ref() { return referent_reference(); }

  private:
    log_t& log_;
    std::string name_;
};

// A referrer from "the other side": answers holds() with `strong`, counts the
// calls and may run an action from inside either.
class spy_referrer : public referrer_impl
{
  public:
    explicit spy_referrer(bool strong) : strong_(strong) {}
    bool holds() override
    {
        ++holds_calls;
        if (on_holds)
            on_holds();
        return strong_;
    }
    void released(interface_ref referent_ref) override
    {
        ++released_calls;
        last_released = referent_ref;
        if (on_released)
            on_released();
    }
    interface_ref self() { return make_ref<referrer>(this); }

    int holds_calls = 0;
    int released_calls = 0;
    interface_ref last_released;
    std::function<void()> on_holds, on_released;

  private:
    bool strong_;
};

void add(const interface_ref& r, const interface_ref& holder)
{
    call<&referent_impl::add_referrer>(r, holder);
}

void remove(const interface_ref& r, const interface_ref& holder)
{
    call<&referent_impl::remove_referrer>(r, holder);
}

using strong_service = ref<custom_app_service, 0>;
using weak_service = ref<custom_app_service, 1>;
const log_t gone{"s"};

TEST(RefHolder, StrongKeepsAliveWeakIsReleasedOnceAndNulled)
{
    log_t log;
    auto* s = new probe_service(log, "s");
    const interface_ref r = s->referent_ref();
    spy_referrer watcher(false);
    add(r, watcher.self());
    weak_service weak(s->service_ref());
    auto strong = std::make_unique<strong_service>(s->service_ref());
    EXPECT_EQ(s->referrer_count(), 3u);
    EXPECT_TRUE(strong->holds());
    EXPECT_FALSE(weak.holds());

    strong.reset();
    EXPECT_EQ(log, gone);
    EXPECT_EQ(weak.get(), interface_ref{});
    EXPECT_EQ(watcher.released_calls, 1);
    EXPECT_EQ(watcher.last_released, r);
}

TEST(RefHolder, CopyAttachesAgainAndResetToTheSameReferenceIsANoOp)
{
    log_t log;
    auto* s = new probe_service(log, "s");
    strong_service a(s->service_ref());
    strong_service b(a);
    b.reset(a.get());
    EXPECT_EQ(s->referrer_count(), 2u);
    a.reset();
    EXPECT_TRUE(log.empty());
    b = strong_service();
    EXPECT_EQ(log, gone);

    custom_app_service_impl plain; // unmanaged: its referent slot answers null
    strong_service holder(make_ref<custom_app_service>(&plain));
    EXPECT_TRUE(holder.valid());
}

// Pins, duplicates and absent removals are the model test's (at the end).
TEST(KeepAliveScan, StopsAtTheFirstEntryThatKeepsAlive)
{
    log_t log;
    spy_referrer stranger(true);
    remove((new probe_service(log, "orphan"))->referent_ref(), stranger.self());
    EXPECT_EQ(log, log_t{"orphan"}) << "removing an absent entry still scans";
    log.clear();
    auto* s = new probe_service(log, "s");
    spy_referrer weak(false), strong(true), later(true), leaving(false);
    for (auto* r : {&weak, &strong, &later, &leaving})
        add(s->referent_ref(), r->self());
    remove(s->referent_ref(), leaving.self());
    EXPECT_EQ(weak.holds_calls, 1);
    EXPECT_EQ(strong.holds_calls, 1);
    EXPECT_EQ(later.holds_calls, 0);
    remove(s->referent_ref(), strong.self());
    remove(s->referent_ref(), later.self());
    EXPECT_EQ(log, gone);
    EXPECT_EQ(weak.released_calls, 1);
    EXPECT_EQ(strong.released_calls, 0);
}

// A foreign holds() that detaches a holder while the scan runs: the object
// survives its own scan and the verdict is that of the final list.
TEST(KeepAliveReentrancy, RemovalDuringTheScanIsAppliedAfterIt)
{
    for (const bool caller_leaves_itself : {false, true}) {
        SCOPED_TRACE(caller_leaves_itself);
        log_t log;
        auto* s = new probe_service(log, "s");
        const interface_ref r = s->referent_ref();
        spy_referrer caller(false), strong(true), leaving(false);
        bool alive_after_nested_call = false;
        caller.on_holds = [&] {
            if (caller.holds_calls > 1)
                return;
            remove(r, caller_leaves_itself ? caller.self() : strong.self());
            alive_after_nested_call = log.empty();
        };
        for (auto* x : {&caller, &strong, &leaving})
            add(r, x->self());
        remove(r, leaving.self());
        EXPECT_TRUE(alive_after_nested_call);
        if (caller_leaves_itself) { // `strong` remains
            EXPECT_EQ(s->referrer_count(), 1u);
            remove(r, strong.self());
        }
        EXPECT_EQ(log, gone);
        EXPECT_EQ(caller.released_calls, caller_leaves_itself ? 0 : 1);
        EXPECT_EQ(strong.released_calls, 0);
    }
}

TEST(KeepAliveReentrancy, RemovalFromInsideReleasedDoesNotDestroyTwice)
{
    log_t log;
    auto* s = new probe_service(log, "s");
    const interface_ref r = s->referent_ref();
    spy_referrer polite(false), strong(true);
    polite.on_released = [&] { remove(r, polite.self()); };
    add(r, polite.self());
    add(r, strong.self());
    remove(r, strong.self());
    EXPECT_EQ(log, gone);
    EXPECT_EQ(polite.released_calls, 1);
}

// The parent is pinned while the child detaches: it is still whole while the
// child's destruction releases its hold on it, and goes when the pin goes.
TEST(ReferentParent, ChildKeepsItsParentAliveAndItIsPinnedWhileTheChildDetaches)
{
    log_t log;
    auto* parent = new probe_service(log, "parent");
    const interface_ref parent_referent = parent->referent_ref();
    spy_referrer watcher(false);
    add(parent_referent, watcher.self());
    std::size_t parent_entries_during_child_release = 0;
    {
        auto* child = new probe_service(log, "child", parent_referent);
        EXPECT_EQ(call<&referent_impl::parent>(child->referent_ref()), parent_referent);
        spy_referrer child_watcher(false);
        add(child->referent_ref(), child_watcher.self());
        child_watcher.on_released = [&] { parent_entries_during_child_release = parent->referrer_count(); };
        strong_service holder(child->service_ref());
    }
    EXPECT_EQ(parent_entries_during_child_release, 3u); // watcher + the child's strong hold + the pin
    EXPECT_EQ(log, (log_t{"child", "parent"}));
    EXPECT_EQ(watcher.released_calls, 1);
}

TEST(ReferentParent, ParentWithOtherHoldersSurvivesTheChild)
{
    log_t log;
    auto* parent = new probe_service(log, "parent");
    strong_service parent_holder(parent->service_ref());
    {
        strong_service holder((new probe_service(log, "child", parent->referent_ref()))->service_ref());
    }
    EXPECT_EQ(log, log_t{"child"});
    EXPECT_EQ(parent->referrer_count(), 1u);
}

TEST(ReferentIdentity, ReferentReferenceNamesTheLifetimeCore)
{
    log_t log;
    probe_service s(log, "stack");
    const interface_ref r = s.referent_ref();
    EXPECT_EQ(r.table, table<referent<>>());
    EXPECT_EQ(r.object, static_cast<void*>(static_cast<referent_impl*>(static_cast<obj*>(&s))));
    EXPECT_NE(r.object, s.service_ref().object);
    EXPECT_EQ(call<&referent_impl::as_referent>(r), r);
    EXPECT_FALSE(call<&referent_impl::parent>(r).valid());
    EXPECT_FALSE(referent_impl().as_referent().valid());
}

// Random attach/detach sequences against a plain model of the referrer list:
// the object goes exactly when the last strong holder or pin goes, and every
// weak watcher still registered then is told once per entry.
struct model_run {
    explicit model_run(unsigned seed) : random(seed)
    {
        for (int i = 0; i < 3; ++i) {
            strong.push_back(std::make_unique<spy_referrer>(true));
            weak.push_back(std::make_unique<spy_referrer>(false));
        }
    }
    interface_ref pick_referrer()
    {
        const auto k = random() % 7;
        if (k == 6)
            return {}; // a pin
        return k < 3 ? strong[k]->self() : weak[k - 3]->self();
    }
    bool model_keeps() const
    {
        return std::any_of(model.begin(), model.end(), [&](const interface_ref& e) {
            return !e.valid() ||
                   std::any_of(strong.begin(), strong.end(), [&](const auto& s) { return s->self() == e; });
        });
    }
    void detach(interface_ref entry) // a copy: it may name an element of `model`
    {
        const auto at = std::find(model.begin(), model.end(), entry);
        if (at != model.end())
            model.erase(at);
        remove(target, entry);
    }

    std::mt19937 random;
    std::vector<std::unique_ptr<spy_referrer>> strong, weak;
    std::vector<interface_ref> model;
    interface_ref target;
};

TEST(KeepAliveModel, RandomSequencesMatchTheModel)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        model_run run(seed);
        log_t log;
        run.target = (new probe_service(log, "s"))->referent_ref();
        const interface_ref first = run.pick_referrer();
        add(run.target, first);
        run.model.push_back(first);
        for (int step = 0; step < 60 && log.empty(); ++step) {
            const bool attach = run.random() % 2 == 0;
            const interface_ref entry =
                attach ? run.pick_referrer() : run.model[run.random() % run.model.size()];
            if (attach) {
                add(run.target, entry);
                run.model.push_back(entry);
            } else {
                run.detach(run.random() % 5 == 0 ? run.pick_referrer() : entry);
                ASSERT_EQ(log.empty(), run.model_keeps()) << "step " << step;
            }
        }
        while (log.empty()) {
            run.detach(run.model.front());
            ASSERT_EQ(log.empty(), run.model_keeps());
        }
        EXPECT_EQ(log, gone);
        for (const auto& w : run.weak)
            EXPECT_EQ(w->released_calls, std::count(run.model.begin(), run.model.end(), w->self()));
        for (const auto& s : run.strong)
            EXPECT_EQ(s->released_calls, 0);
    }
}

} // namespace
} // namespace zv::test
