// The factory of the module's modal dialog service, registered under the
// empty identifier.
#pragma once

#include "util/service_factories.h"

namespace zv::util::detail
{

// For now it only registers: create keeps the base's default and builds no
// service object.
template <int N> class modal_dialog_service_factory : public custom_service_factory_impl
{
  public:
    modal_dialog_service_factory() : custom_service_factory_impl(u"") {}
};

} // namespace zv::util::detail
