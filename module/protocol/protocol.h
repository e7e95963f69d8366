// Everything of the component protocol in one include.
#ifndef ZV_PROTOCOL_PROTOCOL_H
#define ZV_PROTOCOL_PROTOCOL_H

#include "protocol/app_service_interfaces.h"
#include "protocol/glue.h"
#include "protocol/guarded.h"
#include "protocol/interface_ref.h"
#include "protocol/lifetime.h"
#include "protocol/localizer_interfaces.h"
#include "protocol/objbase.h"
#include "protocol/polymorphic.h"
#include "protocol/referent.h"
#include "protocol/service_interfaces.h"
#include "protocol/visitors.h"

#endif
