// The lifetime core of every object the module lends out: its list of
// registered holders and the keep-alive scan that destroys it when neither a
// strong holder nor a pin remains.
#pragma once

#include <cstddef>
#include <list>
#include <vector>

#include "protocol/lifetime.h"

namespace zv
{

class objbase : public referent_impl
{
  public:
    objbase() = default;
    objbase(const objbase&) = delete;
    objbase& operator=(const objbase&) = delete;
    // The list is freed without telling anyone: the referrers are already told
    // (`released`) when the object goes through the protocol.
    ~objbase() override = default;

    // Appends, also null references (pins) and duplicates.
    void add_referrer(interface_ref referrer_ref) override { referrers_.push_back(referrer_ref); }

    void remove_referrer(interface_ref referrer_ref) override;

    interface_ref as_referent() override { return make_ref<iface::referent>(this); }

    std::size_t referrer_count() const noexcept { return referrers_.size(); }

  private:
    void erase_first(const interface_ref& referrer_ref);
    bool any_keeps_alive();
    bool scan_until_settled();
    void release_and_destroy();

    std::list<interface_ref> referrers_;
    bool busy_ = false;
    // Removals that arrived while the scan ran (see remove_referrer).
    std::vector<interface_ref> deferred_;
};

// Removes the first entry equal to the reference (absent ones are ignored) and
// runs the keep-alive scan; with no strong holder and no pin left, tells every
// remaining referrer `released` and destroys the object.
//
// A remove_referrer that arrives while this object's scan runs (a foreign
// `holds` that calls back) is only recorded: the list is not touched under the
// running scan, the scan is not re-entered and the object cannot be destroyed
// from inside it. The outer call applies the recorded removals after its pass
// and scans again, so no removal is lost and the verdict matches the final
// list. The same recording covers removals arriving during `released`.
inline void objbase::remove_referrer(interface_ref referrer_ref)
{
    if (busy_) {
        deferred_.push_back(referrer_ref);
        return;
    }
    erase_first(referrer_ref);
    busy_ = true;
    if (scan_until_settled()) {
        busy_ = false;
        return;
    }
    release_and_destroy();
}

inline void objbase::erase_first(const interface_ref& referrer_ref)
{
    for (auto it = referrers_.begin(); it != referrers_.end(); ++it) {
        if (*it == referrer_ref) {
            referrers_.erase(it);
            return;
        }
    }
}

// One pass in list order: a pin keeps the object, otherwise the first entry
// whose `holds` answers yes does.
inline bool objbase::any_keeps_alive()
{
    for (const interface_ref& entry : referrers_) {
        if (!entry.valid())
            return true;
        if (call<&referrer_impl::holds>(entry))
            return true;
    }
    return false;
}

inline bool objbase::scan_until_settled()
{
    for (;;) {
        const bool keep = any_keeps_alive();
        if (deferred_.empty())
            return keep;
        std::vector<interface_ref> removals;
        removals.swap(deferred_);
        for (const interface_ref& removal : removals)
            erase_first(removal);
    }
}

// Still busy: whatever the notified referrers call back is only recorded.
inline void objbase::release_and_destroy()
{
    const interface_ref self = as_referent();
    for (const interface_ref& entry : referrers_) {
        if (entry.valid())
            call<&referrer_impl::released>(entry, self);
    }
    delete this;
}

// An objbase with a strong hold on its parent's referent, so a child keeps its
// parent alive. A virtual base of referent<Impl>: the most derived class names
// obj(parent) in its constructor.
class obj : public objbase
{
  public:
    obj() = default;
    explicit obj(const interface_ref& parent_referent) : parent_(parent_referent) {}

    interface_ref parent() override { return parent_.get(); }

  private:
    ref<iface::referent, 0> parent_;
};

} // namespace zv
