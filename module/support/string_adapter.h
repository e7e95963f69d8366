// Adapters that receive text from the host libraries. A host text getter does
// not fill a buffer: it calls back into an adapter created by the host's basic
// library, which forwards the narrow or wide text to one of these objects.
//
// Usage: bind an adapter on the stack to a local string, pass handle() to the
// host function, let the adapter go, and use the string only when the host
// function reported success.
#pragma once

#include "host/zvk_basic.h"

#include <string>

namespace zv
{

class Tzv_string_adapter_base
{
  public:
    Tzv_string_adapter_base(const Tzv_string_adapter_base&) = delete;
    Tzv_string_adapter_base& operator=(const Tzv_string_adapter_base&) = delete;

    // The handle to pass to a host function; null when the host could not
    // create the adapter (host functions then deliver nothing).
    zv_string_adp_t handle() const noexcept { return handle_; }

    // Each call replaces the whole target; null text clears it.
    virtual void assign_wide(const char16_t* text) = 0;
    virtual void assign_narrow(const char* text) = 0;

  protected:
    Tzv_string_adapter_base() noexcept;
    virtual ~Tzv_string_adapter_base();

  private:
    zv_string_adp_t handle_;
};

// Delivers into a narrow string (wide text is converted with the system ANSI
// code page). The string must outlive the adapter.
class Tzv_std_string_adapter final : public Tzv_string_adapter_base
{
  public:
    explicit Tzv_std_string_adapter(std::string& target) noexcept : target_(&target) {}
    ~Tzv_std_string_adapter() override = default;

    void assign_wide(const char16_t* text) override;
    void assign_narrow(const char* text) override;

  private:
    std::string* target_;
};

// Delivers into a wide string (narrow text is converted with the system ANSI
// code page). The string must outlive the adapter.
class Tzv_std_wstring_adapter final : public Tzv_string_adapter_base
{
  public:
    explicit Tzv_std_wstring_adapter(std::u16string& target) noexcept : target_(&target) {}
    ~Tzv_std_wstring_adapter() override = default;

    void assign_wide(const char16_t* text) override;
    void assign_narrow(const char* text) override;

  private:
    std::u16string* target_;
};

} // namespace zv
