#include "toolkit/element.h"

#include "resources/string_loader.h"

namespace zv::toolkit::detail
{

void visit_text_id(std::int32_t id, interface_ref string_visitor)
{
    if (id != 0 && string_visitor.valid())
        resource::load_string(id, string_visitor);
}

} // namespace zv::toolkit::detail
