// The factory that registers a tool class under its service identifier.
#pragma once

#include "util/authority.h"
#include "util/service_factories.h"

namespace zv::util
{

// Registered as authority + App::service_path. For now it only registers:
// create keeps the base's default and builds no tool object.
template <class App> class service_factory : public custom_service_factory_impl
{
  public:
    service_factory() : custom_service_factory_impl(service_identifier(App::service_path).c_str()) {}
};

} // namespace zv::util
