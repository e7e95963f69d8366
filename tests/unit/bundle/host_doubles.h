// Stand-ins for the host's side of registration and of the localizer
// handshake, built on the same protocol templates the host uses.
#pragma once

#include <string>
#include <vector>

#include "protocol/protocol.h"

namespace zv::test
{

class recording_registry : public service_registry_impl
{
  public:
    struct entry {
        std::u16string identifier;
        interface_ref factory;
    };
    void add_factory(const char16_t* identifier, interface_ref factory) override
    {
        entries.push_back({identifier ? identifier : u"<null>", factory});
    }
    interface_ref self() { return make_ref<service_registry>(this); }
    std::vector<entry> entries;
};

// A lifetime-managed localizer that answers every string id with "text <id>".
class host_localizer : public referent<localizer_impl>
{
  public:
    explicit host_localizer(bool* destroyed = nullptr) : destroyed_(destroyed) {}
    ~host_localizer() override
    {
        if (destroyed_)
            *destroyed_ = true;
    }
    bool load_string(std::uint32_t id, interface_ref visitor) override
    {
        const std::string text = "text " + std::to_string(id);
        call<&string_visitor_impl::visit>(visitor, std::u16string(text.begin(), text.end()).c_str());
        return true;
    }
    interface_ref self() { return make_ref<localizer>(this); }

  private:
    bool* destroyed_;
};

class host_localizer_service : public localizer_service_impl
{
  public:
    void visit_localizer(interface_ref context, interface_ref visitor) override
    {
        ++calls;
        last_context = context;
        call<&localizer_visitor_impl::visit>(visitor, localizer_to_hand);
    }
    interface_ref self() { return make_ref<localizer_service>(this); }
    interface_ref localizer_to_hand;
    interface_ref last_context;
    int calls = 0;
};

// Looks identifiers up; hands the localizer service to whichever visitor
// answers for the typed localizer service visitor.
class host_locator : public service_locator_impl
{
  public:
    void find_service(const char16_t* identifier, interface_ref visitor) override
    {
        looked_up.emplace_back(identifier ? identifier : u"");
        if (!service_found.valid())
            return;
        const interface_ref typed = cast<localizer_service_visitor>(root_of(visitor));
        call<&localizer_service_visitor_impl::visit>(typed, service_found);
    }
    interface_ref self() { return make_ref<service_locator>(this); }
    std::vector<std::u16string> looked_up;
    interface_ref service_found;
};

class host_context : public bundle_context_impl
{
  public:
    void visit_registry(interface_ref visitor) override
    {
        ++calls;
        call<&service_registry_visitor_impl::visit>(visitor, locator);
    }
    interface_ref self() { return make_ref<bundle_context>(this); }
    interface_ref locator;
    int calls = 0;
};

// The whole host side of the handshake, wired together.
struct host_side {
    host_side()
    {
        locator.service_found = service.self();
        context.locator = locator.self();
    }
    void offer(const interface_ref& localizer_ref) { service.localizer_to_hand = localizer_ref; }

    host_localizer_service service;
    host_locator locator;
    host_context context;
};

} // namespace zv::test
