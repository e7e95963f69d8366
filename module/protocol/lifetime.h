// The lifetime interfaces: a referent (an object that can be kept alive) and a
// referrer (a holder that keeps it alive or merely watches it), and ref<>, the
// holder every module object uses.
#pragma once

#include <type_traits>

#include "protocol/glue.h"

namespace zv
{

// The referent interface: what every object with a managed lifetime offers
// its holders. referent<Impl> (protocol/referent.h) joins an interface
// implementation with a lifetime core.
namespace iface
{
struct referent;
}

class referent_impl : public impl_root<iface::referent>
{
  public:
    virtual void add_referrer(interface_ref) {}
    virtual void remove_referrer(interface_ref) {}
    virtual interface_ref parent() { return {}; }
    virtual interface_ref as_referent() { return {}; }
};

ZV_INTERFACE(referent, "zv_referent_interface_1", 5, &referent_impl::add_referrer,
             &referent_impl::remove_referrer, &referent_impl::parent, &referent_impl::as_referent);

namespace iface
{
struct referrer;
}

class referrer_impl : public impl_root<iface::referrer>
{
  public:
    // The referent is going: forget it without calling anything.
    virtual void released(interface_ref) {}
    // Whether this holder keeps the referent alive.
    virtual bool holds() { return false; }
};

ZV_INTERFACE(referrer, "zv_referrer_interface_1", 3, &referrer_impl::released, &referrer_impl::holds);

// How a holder of a T reference reaches the object's referent: slot 1
// (`referent`) of every interface except the referent's own, which answers
// through `as_referent`.
template <class T> struct reftraits {
    static_assert(
        std::is_same_v<std::remove_const_t<decltype(slot_member<T, 1>)>, interface_ref (T::impl::*)()>,
        "slot 1 of a held interface must be its `referent`");
    static interface_ref referent_of(const interface_ref& held) { return call<slot_member<T, 1>>(held); }
};

template <> struct reftraits<iface::referent> {
    static interface_ref referent_of(const interface_ref& held)
    {
        return call<&referent_impl::as_referent>(held);
    }
};

// A holder of one reference to interface T. N = 0: strong, keeps the referent
// alive. N = 1: weak, is told `released` when the referent goes and then holds
// null. A holder registers its own address, so it is never moved bytewise:
// copies attach afresh.
template <class T, int N, class Traits = reftraits<T>> class ref : public referrer_impl
{
    static_assert(N == 0 || N == 1, "0 is a strong holder, 1 a weak one");

  public:
    ref() = default;
    explicit ref(const interface_ref& reference) : held_(reference) { attach(); }
    ref(const ref& other) : ref(other.held_) {}
    ref& operator=(const ref& other)
    {
        reset(other.held_);
        return *this;
    }
    ~ref() override { release(); }

    // Lets go of the current reference, then holds `reference`.
    void reset(const interface_ref& reference = {})
    {
        if (reference == held_)
            return;
        release();
        held_ = reference;
        attach();
    }

    const interface_ref& get() const noexcept { return held_; }
    bool valid() const noexcept { return held_.valid(); }
    explicit operator bool() const noexcept { return held_.valid(); }

    void released(interface_ref) override { held_ = {}; }
    bool holds() override { return N == 0; }

  private:
    interface_ref self_ref() { return make_ref<iface::referrer>(this); }

    void attach()
    {
        if (!held_.valid())
            return;
        const interface_ref owner = Traits::referent_of(held_);
        if (!owner.valid())
            return; // lifetime not managed: just hold the words
        call<&referent_impl::add_referrer>(owner, self_ref());
    }

    // The owner's parent is pinned across the removal, so the parent outlives
    // the owner's destruction even when the owner held its last strong hold.
    void release()
    {
        if (!held_.valid())
            return;
        const interface_ref owner = Traits::referent_of(held_);
        if (!owner.valid())
            return;
        const interface_ref parent = call<&referent_impl::parent>(owner);
        if (parent.valid())
            call<&referent_impl::add_referrer>(parent, interface_ref{});
        call<&referent_impl::remove_referrer>(owner, self_ref());
        if (parent.valid())
            call<&referent_impl::remove_referrer>(parent, interface_ref{});
    }

    interface_ref held_;
};

} // namespace zv
