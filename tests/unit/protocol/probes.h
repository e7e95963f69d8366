// Test objects shared by the protocol tests: a lifetime-managed service that
// reports its destruction, and a referrer that records what it is told.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "protocol/protocol.h"

namespace zv::test
{

// A heap object lent out as a custom_app_service; writes its name into `log`
// when destroyed.
class probe_service : public referent<custom_app_service_impl>
{
  public:
    probe_service(std::vector<std::string>& log, std::string name, const interface_ref& parent = {})
        : obj(parent), log_(log), name_(std::move(name))
    {
    }
    ~probe_service() override { log_.push_back(name_); }

    interface_ref service_ref() { return make_ref<custom_app_service>(this); }
    interface_ref referent_ref() { return referent_reference(); }

  private:
    std::vector<std::string>& log_;
    std::string name_;
};

// A referrer from "the other side": answers holds() with `strong`, counts
// `released` and may run an action from inside either call.
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
    std::function<void()> on_holds;
    std::function<void()> on_released;

  private:
    bool strong_;
};

inline void add_referrer(const interface_ref& referent_ref, const interface_ref& holder)
{
    call<&referent_impl::add_referrer>(referent_ref, holder);
}

inline void remove_referrer(const interface_ref& referent_ref, const interface_ref& holder)
{
    call<&referent_impl::remove_referrer>(referent_ref, holder);
}

} // namespace zv::test
