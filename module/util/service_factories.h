// The module's service factories and the list in which they register
// themselves while the module loads; register_services walks that list.
#pragma once

#include <string>
#include <vector>

#include "protocol/service_interfaces.h"

namespace zv
{

// A factory with its service identifier.
class basic_service_factory_impl : public service_factory_impl
{
  public:
    // A null identifier means the empty one.
    explicit basic_service_factory_impl(const char16_t* identifier)
        : identifier_(identifier ? identifier : u"")
    {
    }
    basic_service_factory_impl(const basic_service_factory_impl&) = delete;
    basic_service_factory_impl& operator=(const basic_service_factory_impl&) = delete;

    const char16_t* identifier() const noexcept { return identifier_.c_str(); }

  private:
    std::u16string identifier_;
};

// A factory through which the host obtains a service. Joins the factory list
// on construction and leaves it on destruction.
class custom_service_factory_impl : public basic_service_factory_impl
{
  public:
    explicit custom_service_factory_impl(const char16_t* identifier);
    ~custom_service_factory_impl() override;
};

// A factory that the host calls to hand the module a service. Same list
// behaviour as custom_service_factory_impl.
class custom_client_factory_impl : public basic_service_factory_impl
{
  public:
    explicit custom_client_factory_impl(const char16_t* identifier);
    ~custom_client_factory_impl() override;
};

// The module's factories in order of construction; never a null entry, no
// factory twice. Created on first use, so it outlives the static factories.
std::vector<basic_service_factory_impl*>& factory_list();

} // namespace zv
