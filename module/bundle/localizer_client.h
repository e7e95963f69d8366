// The module's client of the host's localizer: a client factory that the host
// calls to hand the module its localizer (through the registry and the
// localizer service), and the accessor through which string and bitmap
// lookups reach that localizer.
#ifndef ZV_BUNDLE_LOCALIZER_CLIENT_H
#define ZV_BUNDLE_LOCALIZER_CLIENT_H

#include "protocol/interface_ref.h"

namespace zv {

// The localizer the module's client currently holds (a "zv_localizer_interface_1"
// reference), or null when the host has not delivered one or it has gone.
// Read it at every lookup; never keep it.
interface_ref current_localizer() noexcept;

}  // namespace zv

#endif
