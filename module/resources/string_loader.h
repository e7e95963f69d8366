// Localized strings. A positive identifier names a string of the module: the
// host's localizer answers it when the module holds one, otherwise the
// module's own string table in the host's language (Russian at the id,
// English at id + 50000). An identifier of 0 or less names string -id of the
// host's basic library zvk_basic, never through the localizer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/module_resources.h"
#include "protocol/interface_ref.h"

namespace zv::resource
{

// A string of one module's resources.
struct resource_key {
    platform::module_handle module = nullptr;
    std::uint32_t id = 0;
};

// Looks the string up and, if found, visits it once (a string_visitor
// reference) with zero-terminated text. Returns whether it was found; when
// the localizer answers, its answer.
bool load_string(std::int32_t id, interface_ref visitor);

// The string, or an empty string when there is none.
std::u16string load_string(std::int32_t id);

// The resource step: string key.id + offset of key.module. An empty string
// counts as missing. A string that carries its own terminating zero is
// visited in place; others are copied with a terminating zero first.
bool load_resource_string(const resource_key& key, std::uint32_t offset, interface_ref visitor);

// The resource lookup in a language: at `offset`, else at offset 0.
bool load_resource_string_or_base(const resource_key& key, std::uint32_t offset, interface_ref visitor);

} // namespace zv::resource
