// String adapters: the handle through which a host function hands text back
// to its caller, by calling the caller's narrow or wide callback.
#include "foundation/guard.h"
#include "host/zvk_basic.h"

#include <new>

struct zv_string_adp {
    zv_string_adp_narrow_fn narrow;
    zv_string_adp_wide_fn wide;
    void* context;
};

extern "C" {

zv_string_adp_t zv_string_adp_create(zv_string_adp_narrow_fn narrow, zv_string_adp_wide_fn wide,
                                     void* context)
{
    return new (std::nothrow) zv_string_adp{narrow, wide, context};
}

void zv_string_adp_destroy(zv_string_adp_t adapter)
{
    delete adapter;
}

// The callbacks are the caller's; nothing they throw may cross back into C.
void zv_string_adp_assign(zv_string_adp_t adapter, const char* text)
{
    if (adapter == nullptr || adapter->narrow == nullptr)
        return;
    zv::foundation::guarded_void([&] { adapter->narrow(text, adapter->context); });
}

void zv_string_adp_assign_w(zv_string_adp_t adapter, const char16_t* text)
{
    if (adapter == nullptr || adapter->wide == nullptr)
        return;
    zv::foundation::guarded_void([&] { adapter->wide(text, adapter->context); });
}

} // extern "C"
