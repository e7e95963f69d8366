// The module's entry and its bundle: the one reference through which the host
// reaches everything the module offers.
#pragma once

#include "protocol/boundary.h"
#include "protocol/interface_ref.h"

namespace zv
{

// The bundle's table, built on first use: slot 0 root, slot 1 register_services,
// slots 2 to 5 the do-nothing export.
const void* bundle_table() noexcept;

inline constexpr int bundle_slot_count = 6;

// Adds every factory of the factory list, in list order, to the registry
// (a "zv_service_registry_interface_0" reference). A null registry: no calls.
void register_services(const interface_ref& registry);

} // namespace zv
