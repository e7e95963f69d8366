// Resolving bitmap and icon identifiers: the module's own pictures and
// zvk_basic's without a localizer, and a held localizer answering alone.
#include "resources/bitmap_loader.h"

#include <gtest/gtest.h>

#include <tuple>

#include "bundle/bundle.h"
#include "bundle/localizer_client.h"
#include "host_objects.h"
#include "pixel_recorder.h"
#include "protocol/referent.h"
#include "resources/resource_modules.h"

namespace zv::resource
{
namespace
{

using namespace zv::test;

TEST(BitmapLookup, WithoutALocalizerPicturesComeFromTheModuleOrTheBasicLibrary)
{
    ASSERT_FALSE(current_localizer().valid());
    pixel_recorder browse; // zvk_basic's browse button: a folder on the button face
    load_bitmap(-75, browse.ref());
    ASSERT_EQ(browse.visits.size(), 1u);
    EXPECT_EQ(std::tuple(browse.visits[0].rows, browse.visits[0].columns, browse.visits[0].channels),
              std::tuple(16, 16, 3));
    EXPECT_EQ(browse.visits[0].pixel(0, 0), bgr(0xF0F0F0));
    EXPECT_EQ(browse.visits[0].pixel(2, 2), bgr(0x404040));

    masked_recorder tool; // the profile tool's icon: its begin is green, opaque
    load_masked_bitmap(10, tool.ref());
    ASSERT_EQ(tool.count, 1);
    EXPECT_EQ(std::tuple(tool.hot_spot_x, tool.hot_spot_y), std::tuple(8u, 8u));
    ASSERT_EQ(tool.colour.visits.size(), 1u);
    ASSERT_EQ(tool.mask.visits.size(), 1u);
    EXPECT_EQ(tool.colour.visits[0].pixel(12, 0), bgr(0x30A040));
    EXPECT_EQ(tool.mask.visits[0].pixel(12, 0), std::vector<std::uint8_t>{0});
    EXPECT_EQ(tool.mask.visits[0].pixel(0, 0), std::vector<std::uint8_t>{255});

    // Nothing for identifier 0, missing pictures, or a library not loaded.
    pixel_recorder none;
    for (std::int32_t id : {0, -76, 10})
        load_bitmap(id, none.ref());
    visit_bitmap_resource({nullptr, 75}, none.ref());
    masked_recorder no_icon;
    for (std::int32_t id : {11, -75})
        load_masked_bitmap(id, no_icon.ref());
    visit_icon_resource({nullptr, 10}, no_icon.ref());
    EXPECT_TRUE(none.visits.empty());
    EXPECT_EQ(no_icon.count, 0);
}

// Answers every bitmap with a 2 x 2 grey picture, key byte 0 in the bottom
// left; answers no icon.
class test_localizer final : public referent<localizer_impl>
{
  public:
    test_localizer() : obj() {}

    bool load_bitmap(std::uint32_t id, interface_ref pixel_visitor) override
    {
        bitmaps.emplace_back(id, pixel_visitor);
        static const std::uint8_t grey[] = {0, 9, 0, 7};
        call<&thrice_interleaved_bytes_visitor_impl::visit>(pixel_visitor, 2, -2, 2, 1, 1, 1, grey + 2);
        return true;
    }

    bool load_masked_bitmap(std::uint32_t id, interface_ref /*masked_visitor*/) override
    {
        icons.push_back(id);
        return false;
    }

    std::vector<std::pair<std::uint32_t, interface_ref>> bitmaps;
    std::vector<std::uint32_t> icons;
};

// Hands a localizer to the module's client, as the host's handshake ends.
void hand_localizer(const interface_ref& localizer)
{
    hostapp::host_registry registry;
    register_services(make_ref<iface::service_registry>(&registry));
    for (const hostapp::service_record& record : registry.records()) {
        auto* client =
            dynamic_cast<detail::local_factory_impl*>(from_ref<iface::service_factory>(record.factory));
        if (client != nullptr) {
            localizer_visitor_impl* visitor = client;
            call<&localizer_visitor_impl::visit>(make_ref<iface::localizer_visitor>(visitor), localizer);
        }
    }
}

TEST(BitmapLookup, HeldLocalizerAnswersModulePicturesAloneKeyedWhenTheKeyAsks)
{
    auto* localizer = new test_localizer;
    ref<iface::localizer, 0> held(make_ref<iface::localizer>(localizer));
    hand_localizer(held.get());
    ASSERT_EQ(current_localizer(), held.get());

    pixel_recorder plain, keyed, basic;
    load_bitmap(5, plain.ref());
    load_bitmap(bitmap_key{own_module(), 6, 1}, keyed.ref());
    load_bitmap(-75, basic.ref()); // never through the localizer
    ASSERT_EQ(localizer->bitmaps.size(), 2u);
    EXPECT_EQ(localizer->bitmaps[0], std::pair(5u, plain.ref()));
    EXPECT_EQ(localizer->bitmaps[1].first, 6u);
    ASSERT_EQ(plain.visits.size(), 1u);
    EXPECT_EQ(plain.visits[0].channels, 1);
    ASSERT_EQ(keyed.visits.size(), 1u);
    EXPECT_EQ(keyed.visits[0].bytes,
              (std::vector<std::uint8_t>{0, 0, 0, 0, 7, 7, 7, 255, 0, 0, 0, 0, 9, 9, 9, 255}));
    EXPECT_EQ(basic.visits.size(), 1u);

    masked_recorder icon;
    load_masked_bitmap(10, icon.ref());
    EXPECT_EQ(localizer->icons, std::vector<std::uint32_t>{10});
    EXPECT_EQ(icon.count, 0); // no fall-back to the module's own icon

    held.reset(); // the localizer goes: the module's own pictures again
    load_masked_bitmap(10, icon.ref());
    EXPECT_EQ(icon.count, 1);
}

} // namespace
} // namespace zv::resource
