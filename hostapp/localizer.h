// The host's localizer: serves a module's strings from a translation file.
// Its lifetime is managed (a referent): the module watches it through a weak
// holder and forgets it when it goes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol/localizer_interfaces.h"
#include "protocol/referent.h"
#include "translations.h"

namespace zv::hostapp
{

class ZVHOST_API host_localizer final : public referent<localizer_impl>
{
  public:
    explicit host_localizer(translations texts) : obj(), texts_(std::move(texts)) {}

    // Visits the text of `id` when the file has one.
    bool load_string(std::uint32_t id, interface_ref string_visitor) override;

    // Number of string requests received, answered or not.
    std::size_t requests() const noexcept { return requests_; }
    // Number of holders registered with it (pins included).
    std::size_t holders() const noexcept { return referrer_count(); }

  private:
    translations texts_;
    std::size_t requests_ = 0;
};

} // namespace zv::hostapp
