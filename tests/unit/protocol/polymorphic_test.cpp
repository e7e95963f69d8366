#include "protocol/polymorphic.h"

#include <gtest/gtest.h>

#include "protocol/protocol.h"

namespace zv::test
{
namespace
{

// Three root-queried interfaces joined in one object, as the localizer client
// joins its service visitors.
class joined : public polymorphic<service_visitor_impl>,
               public polymorphic<localizer_service_visitor_impl>,
               public polymorphic<custom_app_service_visitor_impl>
{
};

template <class I> interface_ref part_ref(joined& j)
{
    typename I::impl* part = &j;
    return make_ref<I>(part);
}

TEST(PolymorphicChain, RootOfEveryPartAnswersForAllPartsEachWithItsOwnObjectWord)
{
    joined j;
    const interface_ref parts[] = {part_ref<service_visitor>(j), part_ref<localizer_service_visitor>(j),
                                   part_ref<custom_app_service_visitor>(j)};
    EXPECT_NE(parts[0].object, parts[1].object);
    for (const interface_ref& part : parts) {
        const interface_ref root = root_of(part);
        EXPECT_EQ(cast<service_visitor>(root), parts[0]);
        EXPECT_EQ(cast<localizer_service_visitor>(root), parts[1]);
        EXPECT_EQ(cast<custom_app_service_visitor>(root), parts[2]);
        EXPECT_FALSE(cast<localizer_visitor>(root).valid());
        EXPECT_FALSE(cast<referent<>>(root).valid());
    }
    EXPECT_EQ(from_ref<localizer_service_visitor>(parts[1]),
              static_cast<localizer_service_visitor_impl*>(&j));
}

} // namespace
} // namespace zv::test
