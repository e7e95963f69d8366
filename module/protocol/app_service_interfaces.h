// The services the module hands the host (a tool, the modal dialog service)
// and the host visitors that receive them.
#pragma once

#include "protocol/glue.h"

namespace zv
{

namespace iface
{
struct custom_app_service;
}

class custom_app_service_impl : public impl_root<iface::custom_app_service>
{
  public:
    virtual interface_ref referent() { return {}; }
    virtual void visit_docker(interface_ref /*docker_visitor*/) {}
    virtual void visit_button_box(interface_ref /*button_box_visitor*/) {}
    // Present in the table; ignores its argument.
    virtual void reserved(interface_ref) {}
};

ZV_INTERFACE(custom_app_service, "zv_custom_app_service_interface_79", 5, &custom_app_service_impl::referent,
             &custom_app_service_impl::visit_docker, &custom_app_service_impl::visit_button_box,
             &custom_app_service_impl::reserved);

namespace iface
{
struct custom_app_service_visitor;
}

class custom_app_service_visitor_impl : public impl_root<iface::custom_app_service_visitor>
{
  public:
    virtual void visit(interface_ref /*service*/) {}
};

ZV_INTERFACE(custom_app_service_visitor, "zv_custom_app_service_visitor_interface_79", 2,
             &custom_app_service_visitor_impl::visit);

namespace iface
{
struct modal_dialog_service;
}

class modal_dialog_service_impl : public impl_root<iface::modal_dialog_service>
{
  public:
    virtual interface_ref referent() { return {}; }
    virtual void visit_modal_dialog(interface_ref /*modal_dialog_visitor*/) {}
};

ZV_INTERFACE(modal_dialog_service, "zv_modal_dialog_service_interface_102", 3,
             &modal_dialog_service_impl::referent, &modal_dialog_service_impl::visit_modal_dialog);

namespace iface
{
struct modal_dialog_service_visitor;
}

class modal_dialog_service_visitor_impl : public impl_root<iface::modal_dialog_service_visitor>
{
  public:
    virtual void visit(interface_ref /*service*/) {}
};

ZV_INTERFACE(modal_dialog_service_visitor, "zv_modal_dialog_service_visitor_interface_102", 2,
             &modal_dialog_service_visitor_impl::visit);

} // namespace zv
