#include "util/service_factories.h"

#include <algorithm>

namespace zv
{
namespace
{

void join_factory_list(basic_service_factory_impl* factory)
{
    auto& list = factory_list();
    if (std::find(list.begin(), list.end(), factory) == list.end())
        list.push_back(factory);
}

void leave_factory_list(basic_service_factory_impl* factory) noexcept
{
    auto& list = factory_list();
    list.erase(std::remove(list.begin(), list.end(), factory), list.end());
}

} // namespace

std::vector<basic_service_factory_impl*>& factory_list()
{
    static std::vector<basic_service_factory_impl*> list;
    return list;
}

custom_service_factory_impl::custom_service_factory_impl(const char16_t* identifier)
    : basic_service_factory_impl(identifier)
{
    join_factory_list(this);
}

custom_service_factory_impl::~custom_service_factory_impl()
{
    leave_factory_list(this);
}

custom_client_factory_impl::custom_client_factory_impl(const char16_t* identifier)
    : basic_service_factory_impl(identifier)
{
    join_factory_list(this);
}

custom_client_factory_impl::~custom_client_factory_impl()
{
    leave_factory_list(this);
}

} // namespace zv
