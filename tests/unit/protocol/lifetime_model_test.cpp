#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "probes.h"

namespace zv::test
{
namespace
{

// Random attach/detach sequences against a plain model of the referrer list:
// the object goes exactly when the last strong holder or pin goes, and every
// watcher still registered then is told once.
struct model_run {
    explicit model_run(unsigned seed) : random(seed)
    {
        for (int i = 0; i < 3; ++i)
            strong.push_back(std::make_unique<spy_referrer>(true));
        for (int i = 0; i < 3; ++i)
            weak.push_back(std::make_unique<spy_referrer>(false));
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
            if (!e.valid())
                return true;
            for (const auto& s : strong)
                if (s->self() == e)
                    return true;
            return false;
        });
    }

    void detach(interface_ref entry)
    { // a copy: it may name an element of `model`
        const auto at = std::find(model.begin(), model.end(), entry);
        if (at != model.end())
            model.erase(at);
        remove_referrer(target, entry);
    }

    std::mt19937 random;
    std::vector<std::unique_ptr<spy_referrer>> strong, weak;
    std::vector<interface_ref> model;
    interface_ref target;
};

// After the object went: each weak watcher was told once per entry it still
// had in the list; strong ones were never told.
void expect_told(const model_run& run, unsigned seed)
{
    for (const auto& w : run.weak) {
        const auto entries = std::count(run.model.begin(), run.model.end(), w->self());
        EXPECT_EQ(w->released_calls, entries) << "seed " << seed;
    }
    for (const auto& s : run.strong)
        EXPECT_EQ(s->released_calls, 0) << "seed " << seed;
}

TEST(KeepAliveModel, RandomSequencesMatchTheModel)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        model_run run(seed);
        std::vector<std::string> log;
        run.target = (new probe_service(log, "s"))->referent_ref();
        const interface_ref first = run.pick_referrer();
        add_referrer(run.target, first);
        run.model.push_back(first);
        for (int step = 0; step < 60 && log.empty(); ++step) {
            const bool attach = run.random() % 2 == 0;
            const interface_ref entry =
                attach ? run.pick_referrer() : run.model[run.random() % run.model.size()];
            if (attach) {
                add_referrer(run.target, entry);
                run.model.push_back(entry);
            } else {
                run.detach(run.random() % 5 == 0 ? run.pick_referrer() : entry);
                ASSERT_EQ(log.empty(), run.model_keeps()) << "seed " << seed << " step " << step;
            }
        }
        while (log.empty()) {
            run.detach(run.model.front());
            ASSERT_EQ(log.empty(), run.model_keeps()) << "seed " << seed;
        }
        EXPECT_EQ(log, std::vector<std::string>{"s"}) << "seed " << seed;
        expect_told(run, seed);
    }
}

} // namespace
} // namespace zv::test
