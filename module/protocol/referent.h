// referent<Impl>: an implementation of some interface whose lifetime follows
// the holder protocol, the way every object the module lends out is built.
#pragma once

#include "protocol/objbase.h"

namespace zv
{

// Answers the interface's `referent` slot (slot 1 of Impl's interface) with
// the referent reference of the object's lifetime core, whose object word is
// not the interface reference's object word.
template <class Impl> class referentbase : public Impl
{
  public:
    using Impl::Impl;

    interface_ref referent() override { return referent_reference(); }

    // The same, for code inside classes derived from referent<Impl>, where the
    // name `referent` means that class template.
    interface_ref referent_reference() { return lifetime_core().as_referent(); }

  protected:
    virtual objbase& lifetime_core() = 0;
};

// The shared lifetime core `obj` is a virtual base, so several referent<...>
// parts of one object share it. As with every virtual base, the most derived
// class constructs it: a class deriving from referent<Impl> writes obj(parent)
// in its own initialiser list.
template <class Impl> class referent : public referentbase<Impl>, public virtual obj
{
  public:
    referent() = default;
    // There is deliberately no referent(parent): obj is a virtual base, so only
    // the most derived class's obj(parent) takes effect and a parent given here
    // would be dropped without a word. Name obj(parent) there instead.
    explicit referent(const interface_ref& parent_referent) = delete;

  protected:
    objbase& lifetime_core() override { return *this; }
};

} // namespace zv
