// Forms the protocol must refuse at compile time. Compiled once as it stands
// (it must build) and once per ZV_REJECTED value (each must fail, with the
// message given beside it in CMakeLists.txt).
#include "protocol/protocol.h"

namespace zv
{

namespace iface
{
struct probe;
}

class probe_impl : public impl_root<iface::probe>
{
  public:
    virtual interface_ref referent() { return {}; }
    virtual void take(interface_ref) {}
#if ZV_REJECTED == 1
    virtual void take_by_reference(const interface_ref&) {}
#endif
};

#if ZV_REJECTED == 1
ZV_INTERFACE(probe, "zv_probe_interface_0", 4, &probe_impl::referent, &probe_impl::take,
             &probe_impl::take_by_reference);
#elif ZV_REJECTED == 2
ZV_INTERFACE(probe, "zv_probe_interface_0", 4, &probe_impl::referent, &probe_impl::take);
#else
ZV_INTERFACE(probe, "zv_probe_interface_0", 3, &probe_impl::referent, &probe_impl::take);
#endif

class probe_object final : public referent<probe_impl>
{
  public:
#if ZV_REJECTED == 3
    explicit probe_object(const interface_ref& parent) : referent<probe_impl>(parent) {}
#else
    explicit probe_object(const interface_ref& parent) : obj(parent) {}
#endif
};

} // namespace zv

int main()
{
    zv::probe_object object{zv::interface_ref{}};
    return zv::table<zv::iface::probe>() != nullptr ? 0 : 1;
}
