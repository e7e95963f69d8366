// Interfaces of the host's localizer and of the handshake that delivers it.
#pragma once

#include <cstdint>

#include "protocol/glue.h"

namespace zv
{

namespace iface
{
struct localizer_service;
}

class localizer_service_impl : public impl_root<iface::localizer_service>
{
  public:
    // Hands a localizer for `context` to the localizer visitor.
    virtual void visit_localizer(interface_ref /*context*/, interface_ref /*localizer_visitor*/) {}
};

ZV_INTERFACE(localizer_service, "zv_localizer_service_interface_1", 2,
             &localizer_service_impl::visit_localizer);

namespace iface
{
struct localizer;
}

class localizer_impl : public impl_root<iface::localizer>
{
  public:
    virtual interface_ref referent() { return {}; }
    // Visits the text of a module string; answers whether it had one.
    virtual bool load_string(std::uint32_t /*id*/, interface_ref /*string_visitor*/) { return false; }
    // Visits the pixels of a module bitmap (a thrice_interleaved_bytes_visitor).
    virtual bool load_bitmap(std::uint32_t /*id*/, interface_ref /*pixel_visitor*/) { return false; }
    // Hands a masked bitmap (icon) to a masked_bitmap_visitor.
    virtual bool load_masked_bitmap(std::uint32_t /*id*/, interface_ref /*masked_visitor*/) { return false; }
    // Present in the table; the module never calls it.
    virtual void reserved() {}
};

ZV_INTERFACE(localizer, "zv_localizer_interface_1", 6, &localizer_impl::referent,
             &localizer_impl::load_string, &localizer_impl::load_bitmap, &localizer_impl::load_masked_bitmap,
             &localizer_impl::reserved);

namespace iface
{
struct localizer_service_visitor;
}

class localizer_service_visitor_impl : public impl_root<iface::localizer_service_visitor>
{
  public:
    virtual void visit(interface_ref /*localizer_service*/) {}
};

ZV_INTERFACE(localizer_service_visitor, "zv_localizer_service_visitor_interface_1", 2,
             &localizer_service_visitor_impl::visit);

namespace iface
{
struct localizer_visitor;
}

class localizer_visitor_impl : public impl_root<iface::localizer_visitor>
{
  public:
    virtual void visit(interface_ref /*localizer*/) {}
};

ZV_INTERFACE(localizer_visitor, "zv_localizer_visitor_interface_1", 2, &localizer_visitor_impl::visit);

namespace iface
{
struct localizer_client;
}

class localizer_client_impl : public impl_root<iface::localizer_client>
{
  public:
    // A notification without arguments.
    virtual void notify() {}
};

ZV_INTERFACE(localizer_client, "zv_localizer_client_interface_0", 2, &localizer_client_impl::notify);

namespace iface
{
struct masked_bitmap_visitor;
}

class masked_bitmap_visitor_impl : public impl_root<iface::masked_bitmap_visitor>
{
  public:
    // `masked_bitmap` is valid during the call only.
    virtual void visit(interface_ref /*masked_bitmap*/) {}
};

ZV_INTERFACE(masked_bitmap_visitor, "zv_masked_bitmap_visitor_interface_0", 2,
             &masked_bitmap_visitor_impl::visit);

} // namespace zv
