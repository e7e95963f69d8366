#include "support/string_adapter.h"
#include "foundation/guard.h"

#include "support/encoding.h"

namespace zv
{

// The host calls these with the context given at creation. Nothing may leave
// them into the host: a failed assignment leaves the target as it was.
extern "C" {

static void deliver_narrow(const char* text, void* context) noexcept
{
    if (context == nullptr)
        return;
    foundation::guarded_void([&] { static_cast<Tzv_string_adapter_base*>(context)->assign_narrow(text); });
}

static void deliver_wide(const char16_t* text, void* context) noexcept
{
    if (context == nullptr)
        return;
    foundation::guarded_void([&] { static_cast<Tzv_string_adapter_base*>(context)->assign_wide(text); });
}

} // extern "C"

Tzv_string_adapter_base::Tzv_string_adapter_base() noexcept
    : handle_(zv_string_adp_create(deliver_narrow, deliver_wide, this))
{
}

Tzv_string_adapter_base::~Tzv_string_adapter_base()
{
    if (handle_ != nullptr)
        zv_string_adp_destroy(handle_);
}

void Tzv_std_string_adapter::assign_wide(const char16_t* text)
{
    if (text == nullptr) {
        target_->clear();
        return;
    }
    *target_ = to_narrow(text);
}

void Tzv_std_string_adapter::assign_narrow(const char* text)
{
    if (text == nullptr) {
        target_->clear();
        return;
    }
    target_->assign(text);
}

void Tzv_std_wstring_adapter::assign_wide(const char16_t* text)
{
    if (text == nullptr) {
        target_->clear();
        return;
    }
    target_->assign(text);
}

void Tzv_std_wstring_adapter::assign_narrow(const char* text)
{
    if (text == nullptr) {
        target_->clear();
        return;
    }
    *target_ = to_wide(text);
}

} // namespace zv
