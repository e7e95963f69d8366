#include "resources/string_loader.h"

#include <string_view>

#include "bundle/localizer_client.h"
#include "host/zvk_basic.h"
#include "protocol/localizer_interfaces.h"
#include "protocol/visitors.h"
#include "resources/resource_modules.h"

namespace zv::resource
{
namespace
{

void visit(const interface_ref& visitor, const char16_t* text)
{
    if (visitor.valid())
        call<&string_visitor_impl::visit>(visitor, text);
}

} // namespace

bool load_resource_string(const resource_key& key, std::uint32_t offset, interface_ref visitor)
{
    const std::u16string_view text = platform::module_string(key.module, key.id + offset);
    if (text.empty())
        return false;
    if (text.back() == u'\0') {
        visit(visitor, text.data());
    } else {
        const std::u16string terminated(text);
        visit(visitor, terminated.c_str());
    }
    return true;
}

bool load_resource_string_or_base(const resource_key& key, std::uint32_t offset, interface_ref visitor)
{
    return load_resource_string(key, offset, visitor) || load_resource_string(key, 0, visitor);
}

bool load_string(std::int32_t id, interface_ref visitor)
{
    if (id <= 0) {
        platform::module_handle basic = basic_library();
        if (basic == nullptr)
            return false;
        const auto number = static_cast<std::uint32_t>(-static_cast<std::int64_t>(id));
        return load_resource_string_or_base({basic, number}, zv_res_get_lng(), visitor);
    }
    const interface_ref localizer = current_localizer();
    if (localizer.valid()) {
        return call<&localizer_impl::load_string>(localizer, static_cast<std::uint32_t>(id), visitor);
    }
    return load_resource_string_or_base({own_module(), static_cast<std::uint32_t>(id)}, zv_res_get_lng(),
                                        visitor);
}

std::u16string load_string(std::int32_t id)
{
    std::u16string text;
    stdwstring_visitor visitor(text);
    load_string(id, make_ref<iface::string_visitor>(&visitor));
    return text;
}

} // namespace zv::resource
