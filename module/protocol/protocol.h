// Everything of the component protocol in one include.
#pragma once

#include "foundation/guard.h"
#include "protocol/app_service_interfaces.h"
#include "protocol/dialog_interfaces.h"
#include "protocol/glue.h"
#include "protocol/interface_ref.h"
#include "protocol/lifetime.h"
#include "protocol/localizer_interfaces.h"
#include "protocol/objbase.h"
#include "protocol/polymorphic.h"
#include "protocol/referent.h"
#include "protocol/service_interfaces.h"
#include "protocol/visitors.h"
