// The framework that turns a tool class into a registered, creatable host
// service. A factory keeps at most one tool alive: while the tool handed out
// last lives, every create hands the host that same object again; once the
// host let go and it was destroyed, the next create builds a fresh one.
#pragma once

#include <memory>
#include <vector>

#include "protocol/app_service_interfaces.h"
#include "protocol/lifetime.h"
#include "util/authority.h"
#include "util/service_factories.h"

namespace zv::util
{

namespace detail
{

// One holder per interface the tool class exposes.
template <class App> class service_holder_base
{
  public:
    service_holder_base() = default;
    service_holder_base(const service_holder_base&) = delete;
    service_holder_base& operator=(const service_holder_base&) = delete;
    virtual ~service_holder_base() = default;

    virtual bool has_visitor() const noexcept = 0;
    // Asks the source's root for this interface's visitor (null when absent).
    virtual void bind_visitor(interface_ref source) = 0;
    // Hands pending to the visitor; it becomes current, pending empties.
    virtual void publish() = 0;
    virtual bool pending_empty() const noexcept = 0;
    virtual void restore_pending() = 0;
    virtual void commit() = 0;
    virtual void attach(App* tool) = 0;
};

// Current is weak (does not keep the tool alive), pending strong (keeps a new
// tool alive until the host received it); the visitor is a plain reference.
template <class App, class Service, class Impl, class Visitor>
class ref_service_holder final : public service_holder_base<App>
{
  public:
    ~ref_service_holder() override
    {
        pending_.reset();
        current_.reset();
    }

    bool has_visitor() const noexcept override { return visitor_.valid(); }
    void bind_visitor(interface_ref source) override
    {
        visitor_ = source.valid() ? cast<Visitor>(root_of(source)) : interface_ref{};
    }
    void publish() override
    {
        call<slot_member<Visitor, 1>>(visitor_, pending_.get());
        current_.reset(pending_.get());
        pending_.reset();
    }
    bool pending_empty() const noexcept override { return !pending_.valid(); }
    void restore_pending() override { pending_.reset(current_.get()); }
    void commit() override
    {
        current_.reset(pending_.get());
        pending_.reset();
    }
    void attach(App* tool) override { pending_.reset(make_ref<Service>(static_cast<Impl*>(tool))); }

  private:
    ref<Service, 1> current_;
    ref<Service, 0> pending_;
    interface_ref visitor_;
};

} // namespace detail

// Registered as authority + App::service_path. App is constructed with the
// parent referent and offers the custom application service.
template <class App> class service_factory final : public custom_service_factory_impl
{
  public:
    service_factory() : custom_service_factory_impl(service_identifier(App::service_path).c_str())
    {
        holders_.push_back(std::make_unique<
                           detail::ref_service_holder<App, iface::custom_app_service, custom_app_service_impl,
                                                      iface::custom_app_service_visitor>>());
    }

    void create(interface_ref context, interface_ref argument) override;

  private:
    bool bind_visitors(interface_ref source);
    bool any_alive() const;

    std::vector<std::unique_ptr<detail::service_holder_base<App>>> holders_;
};

template <class App> bool service_factory<App>::bind_visitors(interface_ref source)
{
    bool any = false;
    for (auto& holder : holders_) {
        holder->bind_visitor(source);
        any = any || holder->has_visitor();
    }
    return any;
}

template <class App> bool service_factory<App>::any_alive() const
{
    for (const auto& holder : holders_) {
        if (!holder->pending_empty())
            return true;
    }
    return false;
}

template <class App> void service_factory<App>::create(interface_ref context, interface_ref argument)
{
    if (!bind_visitors(argument))
        return;
    for (auto& holder : holders_)
        holder->restore_pending();
    if (!any_alive()) {
        // The tool keeps the context's referent alive as its parent.
        App* tool = new App(call<&bundle_context_impl::referent>(context));
        for (auto& holder : holders_)
            holder->attach(tool);
    }
    for (auto& holder : holders_)
        holder->publish();
}

} // namespace zv::util
