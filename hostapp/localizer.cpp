#include "localizer.h"

#include "protocol/visitors.h"

namespace zv::hostapp
{

bool host_localizer::load_string(std::uint32_t id, interface_ref string_visitor)
{
    ++requests_;
    const std::u16string* text = texts_.find(id);
    if (text == nullptr)
        return false;
    call<&string_visitor_impl::visit>(string_visitor, text->c_str());
    return true;
}

} // namespace zv::hostapp
