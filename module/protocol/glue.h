// Per-interface glue, derived from one declaration per interface.
//
// An interface is declared once, next to its `_impl` class:
//
//   namespace iface { struct label; }                 // the interface tag
//   class label_impl : public impl_root<iface::label> { // slot signatures, defaults
//    public:
//     virtual bool enabled() { return true; }           // slot 1
//     virtual void visit_text(interface_ref) {}         // slot 2
//     virtual void attach_view(interface_ref) {}        // slot 3
//   };
//   ZV_INTERFACE(label, "zv_label_interface_2", 4, &label_impl::enabled,
//                &label_impl::visit_text, &label_impl::attach_view);
//
// The number after the name counts the table's slots, root included; it must
// agree with the list, so a slot left out or added is a compile error. A run
// of slots that this binary's objects never answer is written unused_slots<N>{}
// and stays null in the table (the module's call wrappers treat a null entry
// as a null reference).
//
// Tags live in namespace zv::iface, apart from the classes that implement
// them, so that a toolkit class may bear its interface's name.
//
// From the declaration alone come the function table (table<I>), its slot
// thunks, the name match (query_match<I>), make_ref / from_ref / cast and the
// call wrappers (call<&label_impl::visit_text>(reference, visitor)).
//
// Slot parameters are plain values, never references: a parameter of type
// interface_ref travels as the address of a two-word copy, as the boundary
// requires, and a null address from the other side arrives as a null
// reference. A slot that returns a reference returns the two words by value. Thunks are templates, so
// they cannot carry C language linkage; on every supported platform C and C++
// functions share one calling convention, which is what the tables rely on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "foundation/guard.h"
#include "protocol/interface_ref.h"

// Tables belong to the binary that builds them: the host's table for an
// interface must differ from the module's, or from_ref would accept the other
// side's objects. Hidden visibility keeps the loader from merging them even
// when a binary is built with default visibility.
#if (defined(__GNUC__) || defined(__clang__)) && !defined(_WIN32)
#define ZV_PROTOCOL_LOCAL __attribute__((visibility("hidden")))
#else
#define ZV_PROTOCOL_LOCAL
#endif

namespace zv
{

// Generic entry of a function table; cast to the slot's real type before a call.
using slot_fn = void (*)();

// Signature of a root table's only slot.
using query_fn = void (*)(const void* table, void* object, const char* name, const void** table_word,
                          void** object_word);

// N consecutive slots that this binary leaves null.
template <std::size_t N> struct unused_slots {
    static_assert(N > 0);
};

template <class T> struct slot_width {
    static constexpr std::size_t value = 1;
};
template <std::size_t N> struct slot_width<unused_slots<N>> {
    static constexpr std::size_t value = N;
};

// The ordered member functions (slots 1, 2, ...) of an interface, with runs of
// unused slots among them.
template <auto... Slots> struct slot_list {
    static constexpr std::size_t size =
        (std::size_t{0} + ... + slot_width<std::remove_cvref_t<decltype(Slots)>>::value);
};

// How a slot parameter crosses: references by address, everything else as is.
template <class T> struct abi {
    using type = T;
    static T pass(const T& value) noexcept { return value; }
    static T take(T value) noexcept { return value; }
};

template <> struct abi<interface_ref> {
    using type = const interface_ref*;
    static const interface_ref* pass(const interface_ref& value) noexcept { return &value; }
    static interface_ref take(const interface_ref* words) noexcept
    {
        return words ? *words : interface_ref{};
    }
};

template <class T> using abi_t = typename abi<T>::type;

namespace glue_detail
{

template <auto V> struct constant {
};

template <class T> inline constexpr bool is_unused_v = false;
template <std::size_t N> inline constexpr bool is_unused_v<unused_slots<N>> = true;

// The entry that covers table position K (from 1).
template <std::size_t K, auto First, auto... Rest> constexpr auto slot_at()
{
    constexpr std::size_t width = slot_width<std::remove_cvref_t<decltype(First)>>::value;
    if constexpr (K <= width) {
        return First;
    } else {
        return slot_at<K - width, Rest...>();
    }
}

template <std::size_t K, auto... S> constexpr auto nth_slot(slot_list<S...>)
{
    return slot_at<K, S...>();
}

// Table position (from 1) of member function M in the list; 0 when absent.
template <auto M, auto... S> constexpr std::size_t slot_position(slot_list<S...>)
{
    constexpr std::array<bool, sizeof...(S)> hits{std::is_same_v<constant<M>, constant<S>>...};
    constexpr std::array<std::size_t, sizeof...(S)> widths{
        slot_width<std::remove_cvref_t<decltype(S)>>::value...};
    std::size_t position = 1;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        if (hits[i])
            return position;
        position += widths[i];
    }
    return 0;
}

// Reference parameters would take the address the other side passes at face
// value, and a null from the host would be dereferenced.
template <class R, class... A> constexpr bool plain_signature()
{
    return !std::is_reference_v<R> && (!std::is_reference_v<A> && ...);
}

template <class R> R default_result() noexcept
{
    if constexpr (!std::is_void_v<R>)
        return R{};
}

template <class Tag> typename Tag::impl* self_of(void* object) noexcept
{
    return static_cast<typename Tag::impl*>(object);
}

// Slot k >= 1: C form to virtual call, nothing else.
template <class Tag, auto M, class R, class... A>
R slot_thunk(const void*, void* object, abi_t<A>... args) noexcept
{
    auto body = [&]() -> R {
        if (object == nullptr)
            return default_result<R>();
        return (self_of<Tag>(object)->*M)(abi<A>::take(args)...);
    };
    if constexpr (std::is_void_v<R>) {
        foundation::guarded(0, body);
    } else {
        return foundation::guarded(R{}, body);
    }
}

// Slots may be declared const or noexcept; the table only needs the plain form.
template <class F> struct plain_member {
    using type = F;
};
template <class C, class R, class... A> struct plain_member<R (C::*)(A...) const> {
    using type = R (C::*)(A...);
};
template <class C, class R, class... A> struct plain_member<R (C::*)(A...) noexcept> {
    using type = R (C::*)(A...);
};
template <class C, class R, class... A> struct plain_member<R (C::*)(A...) const noexcept> {
    using type = R (C::*)(A...);
};
template <auto M> using plain_member_t = typename plain_member<decltype(M)>::type;

// The argument only carries the signature for deduction.
template <class Tag, auto M, class C, class R, class... A> slot_fn thunk_for(R (C::*)(A...)) noexcept
{
    static_assert(std::is_base_of_v<C, typename Tag::impl>, "slot of another class");
    static_assert(plain_signature<R, A...>(),
                  "slot parameters and results are plain values, never references");
    return reinterpret_cast<slot_fn>(&slot_thunk<Tag, M, R, A...>);
}

// Slot 0 of every interface table.
template <class Tag> interface_ref root_thunk(const void*, void* object) noexcept
{
    return foundation::guarded(interface_ref{},
                               [&] { return object ? self_of<Tag>(object)->root() : interface_ref{}; });
}

// The only slot of a root table.
template <class Tag>
void query_thunk(const void*, void* object, const char* name, const void** table_word,
                 void** object_word) noexcept
{
    if (table_word)
        *table_word = nullptr;
    if (object_word)
        *object_word = nullptr;
    if (!object || !name || !table_word || !object_word)
        return;
    const bool answered = foundation::guarded(false, [&] {
        self_of<Tag>(object)->query_match(name, table_word, object_word);
        return true;
    });
    if (!answered) { // a match that failed half-way answers null
        *table_word = nullptr;
        *object_word = nullptr;
    }
}

template <class Tag> struct ZV_PROTOCOL_LOCAL table_storage {
    static inline bool built = false;
    static inline slot_fn slots[1 + Tag::slots::size] = {};
};

template <class Tag> struct ZV_PROTOCOL_LOCAL root_table_storage {
    static inline bool built = false;
    static inline slot_fn slots[1] = {};
};

template <class Tag, auto M> void fill_slot(slot_fn*& at) noexcept
{
    if constexpr (is_unused_v<std::remove_cvref_t<decltype(M)>>) {
        at += slot_width<std::remove_cvref_t<decltype(M)>>::value; // left null
    } else {
        *at++ = thunk_for<Tag, M>(plain_member_t<M>{});
    }
}

template <class Tag, auto... M> void fill_slots(slot_fn* slots, slot_list<M...>) noexcept
{
    [[maybe_unused]] slot_fn* at = slots + 1; // a root-only interface has no slots
    (fill_slot<Tag, M>(at), ...);
}

} // namespace glue_detail

// The module's table for interface I, built on first use. The flag is set
// before the slots are stored; all calls come from one thread, so no lock.
template <class I> const void* table() noexcept
{
    using storage = glue_detail::table_storage<I>;
    if (!storage::built) {
        storage::built = true;
        storage::slots[0] = reinterpret_cast<slot_fn>(&glue_detail::root_thunk<I>);
        glue_detail::fill_slots<I>(storage::slots, typename I::slots{});
    }
    return storage::slots;
}

// The root table of objects whose root is reached through I's implementation.
template <class I> const void* root_table() noexcept
{
    using storage = glue_detail::root_table_storage<I>;
    if (!storage::built) {
        storage::built = true;
        storage::slots[0] = reinterpret_cast<slot_fn>(&glue_detail::query_thunk<I>);
    }
    return storage::slots;
}

// Compares `name` with I's name; on a match fills both result words. Returns
// non-zero either way (the difference, or the table address); callers judge
// only by the result words.
template <class I>
std::intptr_t query_match(typename I::impl* object, const char* name, const void** table_word,
                          void** object_word) noexcept
{
    if (name == nullptr)
        return -1;
    const int difference = std::strcmp(name, I::name);
    if (difference != 0)
        return difference;
    const void* t = table<I>();
    *table_word = t;
    *object_word = static_cast<void*>(object);
    return reinterpret_cast<std::intptr_t>(t);
}

// The name match of an object that implements several interfaces directly:
// tries each in turn; the result words tell which one matched.
template <class... I, class Object>
std::intptr_t query_match_each(Object* object, const char* name, const void** table_word,
                               void** object_word) noexcept
{
    std::intptr_t result = -1;
    auto try_one = [&](auto matcher) {
        result = matcher(object, name, table_word, object_word);
        return *table_word != nullptr;
    };
    static_cast<void>((try_one(&query_match<I>) || ...));
    return result;
}

template <class I> interface_ref make_ref(typename I::impl* object) noexcept
{
    return {table<I>(), static_cast<void*>(object)};
}

template <class I> void make_ref(typename I::impl* object, interface_ref* out) noexcept
{
    if (out)
        *out = make_ref<I>(object);
}

// Our own object back from a reference, or null when the reference was not
// made through this module's table for I.
template <class I> typename I::impl* from_ref(const interface_ref& reference) noexcept
{
    if (!reference.valid() || reference.table != table<I>())
        return nullptr;
    return static_cast<typename I::impl*>(reference.object);
}

// Asks a root reference for interface I by its versioned name.
template <class I> interface_ref cast(const interface_ref& root) noexcept
{
    interface_ref result{};
    if (!root.valid())
        return result;
    auto query = reinterpret_cast<query_fn>(static_cast<const slot_fn*>(root.table)[0]);
    if (query)
        query(root.table, root.object, I::name, &result.table, &result.object);
    return result;
}

// Slot 0 of any interface: the object's root reference.
inline interface_ref root_of(const interface_ref& reference) noexcept
{
    if (!reference.valid())
        return {};
    using root_fn = interface_ref (*)(const void*, void*);
    auto fn = reinterpret_cast<root_fn>(static_cast<const slot_fn*>(reference.table)[0]);
    return fn ? fn(reference.table, reference.object) : interface_ref{};
}

namespace glue_detail
{

template <auto M, class Sig = plain_member_t<M>> struct caller;

template <auto M, class C, class R, class... A> struct caller<M, R (C::*)(A...)> {
    using tag = typename C::interface_type;
    static constexpr std::size_t index = slot_position<M>(typename tag::slots{});
    static_assert(index != 0, "the member function is not a slot of its interface");
    static_assert(plain_signature<R, A...>(),
                  "slot parameters and results are plain values, never references");
    using c_fn = R (*)(const void*, void*, abi_t<A>...);

    static R invoke(const interface_ref& reference, A... args)
    {
        if (!reference.valid())
            return default_result<R>();
        const slot_fn entry = static_cast<const slot_fn*>(reference.table)[index];
        if (entry == nullptr)
            return default_result<R>();
        return reinterpret_cast<c_fn>(entry)(reference.table, reference.object, abi<A>::pass(args)...);
    }
};

} // namespace glue_detail

// Call wrapper: calls the slot of `reference` that member function M declares,
// or does nothing and returns the default result when the reference is null.
//   call<&localizer_impl::load_string>(localizer, id, visitor)
template <auto M, class... P> decltype(auto) call(const interface_ref& reference, P&&... args)
{
    return glue_detail::caller<M>::invoke(reference, std::forward<P>(args)...);
}

// The table position of the slot that member function M declares.
template <auto M> inline constexpr std::size_t slot_index = glue_detail::caller<M>::index;

// The member function declared for slot K (from 1) of interface I.
template <class I, std::size_t K>
inline constexpr auto slot_member = glue_detail::nth_slot<K>(typename I::slots{});

// Base of every `_impl` class: the name match and the root, with defaults that
// answer for exactly one interface. Classes that answer for more override
// query_match.
template <class Tag> class impl_root
{
  public:
    using interface_type = Tag;

    impl_root() = default;
    impl_root(const impl_root&) = default;
    impl_root& operator=(const impl_root&) = default;
    virtual ~impl_root() = default;

    virtual std::intptr_t query_match(const char* name, const void** table_word, void** object_word)
    {
        return zv::query_match<Tag>(self(), name, table_word, object_word);
    }

    virtual interface_ref root() { return {root_table<Tag>(), static_cast<void*>(self())}; }

  private:
    // Deduced, so the tag may still be incomplete where the class is derived from.
    auto* self() noexcept { return static_cast<typename Tag::impl*>(this); }
};

} // namespace zv

// Declares interface zv::iface::tag (implemented by class zv::tag##_impl) with
// its versioned name, its number of table slots (root included) and its slots
// 1, 2, ... in table order. Used inside namespace zv.
#define ZV_INTERFACE(tag, versioned_name, slot_count, ...)                                                   \
    namespace iface                                                                                          \
    {                                                                                                        \
    struct tag {                                                                                             \
        using impl = ::zv::tag##_impl;                                                                       \
        static constexpr char name[] = versioned_name;                                                       \
        using slots = ::zv::slot_list<__VA_ARGS__>;                                                          \
        static_assert(1 + slots::size == (slot_count), "the slot list of " #tag " does not fill its table"); \
    };                                                                                                       \
    }                                                                                                        \
    static_assert(true)
