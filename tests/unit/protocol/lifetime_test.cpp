#include "protocol/lifetime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
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
    interface_ref service_ref() { return make_ref<iface::custom_app_service>(this); }
    interface_ref referent_ref() { return referent_reference(); }

  private:
    log_t& log_;
    std::string name_;
};

// A referrer from "the other side": answers holds() with `strong`, counts the
// releases and may run an action from inside either call.
class spy_referrer : public referrer_impl
{
  public:
    explicit spy_referrer(bool strong) : strong_(strong) {}
    bool holds() override
    {
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
    interface_ref self() { return make_ref<iface::referrer>(this); }

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

using strong_service = ref<iface::custom_app_service, 0>;
using weak_service = ref<iface::custom_app_service, 1>;
const log_t gone{"s"};

TEST(RefHolder, StrongKeepsAliveWeakIsNulledAndCopiesAttachAgain)
{
    log_t log;
    auto* s = new probe_service(log, "s");
    weak_service weak(s->service_ref());
    auto strong = std::make_unique<strong_service>(s->service_ref());
    strong_service copy(*strong);
    copy.reset(strong->get()); // the same reference: a no-op
    EXPECT_EQ(s->referrer_count(), 3u);
    EXPECT_TRUE(strong->holds());
    EXPECT_FALSE(weak.holds());
    strong.reset();
    EXPECT_TRUE(log.empty());
    copy = strong_service();
    EXPECT_EQ(log, gone);
    EXPECT_EQ(weak.get(), interface_ref{});

    custom_app_service_impl plain; // unmanaged: its referent slot answers null
    strong_service holder(make_ref<iface::custom_app_service>(&plain));
    EXPECT_TRUE(holder.valid());
}

// The parent is pinned while the child detaches: it is still whole while the
// child's destruction releases its hold on it, and goes when the pin goes
// (with another holder it stays, as the model test's objects do).
TEST(ReferentParent, ChildKeepsItsParentAliveAndItIsPinnedWhileTheChildDetaches)
{
    log_t log;
    auto* parent = new probe_service(log, "parent");
    const interface_ref parent_referent = parent->referent_ref();
    EXPECT_EQ(call<&referent_impl::as_referent>(parent_referent), parent_referent);
    EXPECT_FALSE(call<&referent_impl::parent>(parent_referent).valid());
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
    EXPECT_EQ(parent_entries_during_child_release, 3u); // watcher, the child's strong hold, the pin
    EXPECT_EQ(log, (log_t{"child", "parent"}));
    EXPECT_EQ(watcher.released_calls, 1);
}

// Random attach/detach sequences against a plain model of the referrer list:
// the object goes exactly when the last strong holder or pin goes, and every
// weak watcher still registered then is told once per entry. Two weak
// watchers call back: one detaches itself when told `released` (the object
// goes once), one detaches the last entry from inside the keep-alive scan (the
// object survives its own scan, and the verdict is that of the final list).
TEST(KeepAliveModel, RandomSequencesMatchTheModel)
{
    int verdicts_changed_inside_the_scan = 0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        spy_referrer spies[] = {spy_referrer(true),  spy_referrer(true),  spy_referrer(true),
                                spy_referrer(false), spy_referrer(false), spy_referrer(false)};
        const auto pick = [&] { // a strong or weak referrer, or a pin (null)
            const auto k = random() % 7;
            return k == 6 ? interface_ref{} : spies[k].self();
        };
        std::vector<interface_ref> model;
        const auto model_keeps = [&] {
            return std::any_of(model.begin(), model.end(), [&](const interface_ref& e) {
                return !e.valid() || e == spies[0].self() || e == spies[1].self() || e == spies[2].self();
            });
        };
        log_t log;
        const interface_ref target = (new probe_service(log, "s"))->referent_ref();
        bool remove_inside_the_scan = false;
        spies[3].on_released = [&] { remove(target, spies[3].self()); };
        spies[5].on_holds = [&] {
            if (!std::exchange(remove_inside_the_scan, false) || model.empty())
                return;
            const interface_ref entry = model.back(); // not yet scanned
            const bool kept = model_keeps();
            model.erase(std::find(model.begin(), model.end(), entry));
            verdicts_changed_inside_the_scan += kept && !model_keeps() ? 1 : 0;
            remove(target, entry);
            EXPECT_TRUE(log.empty()) << "destroyed inside its own scan";
        };
        const auto detach = [&](interface_ref entry) { // a copy: it may name an element of `model`
            if (const auto at = std::find(model.begin(), model.end(), entry); at != model.end())
                model.erase(at);
            remove_inside_the_scan = true;
            remove(target, entry);
            return log.empty() == model_keeps();
        };
        model.push_back(pick());
        add(target, model.back());
        for (int step = 0; step < 60 && log.empty(); ++step) {
            const bool attach = random() % 2 == 0;
            const interface_ref entry = attach ? pick() : model[random() % model.size()];
            if (attach) {
                add(target, entry);
                model.push_back(entry);
            } else {
                ASSERT_TRUE(detach(random() % 5 == 0 ? pick() : entry)) << "step " << step;
            }
        }
        while (log.empty())
            ASSERT_TRUE(detach(model.front()));
        EXPECT_EQ(log, gone);
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(spies[k].released_calls,
                      k < 3 ? 0 : std::count(model.begin(), model.end(), spies[k].self()));
        for (int k = 3; k < 6; ++k)
            EXPECT_EQ(spies[k].last_released, spies[k].released_calls > 0 ? target : interface_ref{});
    }
    EXPECT_GT(verdicts_changed_inside_the_scan, 5);
}

} // namespace
} // namespace zv::test
