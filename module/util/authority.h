// The authority that prefixes every service identifier of the module.
#pragma once

#include <string>
#include <string_view>

namespace zv
{

inline constexpr std::u16string_view service_authority = u"org.zvgeo";

// Identifier of a service: the authority followed by its path ("/app/...").
inline std::u16string service_identifier(std::u16string_view path)
{
    std::u16string identifier(service_authority);
    identifier.append(path);
    return identifier;
}

// The host's localizer service, which the localizer client looks up.
inline constexpr std::u16string_view localizer_service_path = u"/localizer";

} // namespace zv
