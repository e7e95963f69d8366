// The built module, loaded through libzvhost exactly as a host loads it.
#include "host.h"

#include <gtest/gtest.h>

#include <string>

namespace zv::hostapp
{
namespace
{

const std::string module_path = std::string(ZV_LIB_DIR) + "/libzv_geotools.so";

std::u16string authority_of(const std::u16string& identifier)
{
    return identifier.substr(0, identifier.find(u"/app/"));
}

TEST(ModuleRegistration, FiveDistinctFactoriesInConstructionOrder)
{
    host h;
    std::string error;
    ASSERT_TRUE(h.load(module_path, error)) << error;
    const auto& services = h.services();
    ASSERT_EQ(services.size(), 5u);
    const std::u16string authority = authority_of(services[0].identifier);
    EXPECT_FALSE(authority.empty());
    EXPECT_EQ(services[0].identifier, authority + u"/app/pgn_oriented_axes2d_app");
    EXPECT_TRUE(services[1].is_client());
    EXPECT_EQ(services[2].identifier, authority + u"/app/prf_beg_end_app");
    EXPECT_EQ(services[3].identifier, authority + u"/app/tos_graph_x2y_app");
    EXPECT_TRUE(services[4].is_client());
    for (std::size_t i = 0; i < services.size(); ++i) {
        EXPECT_TRUE(services[i].factory.valid());
        for (std::size_t j = i + 1; j < services.size(); ++j) // each factory is distinct
            EXPECT_NE(services[i].factory.object, services[j].factory.object);
    }
}

TEST(ModuleLoading, LibraryWithoutEntryOrMissingFileIsRefused)
{
    const struct {
        const char* file;
        const char* named_in_error;
    } cases[] = {
        {"/libzv_test_no_entry.so", "zv_bundle_interface_to_custom_pointer"},
        {"/libzv_no_such_module.so", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        host h;
        std::string error;
        EXPECT_FALSE(h.load(std::string(ZV_LIB_DIR) + c.file, error));
        EXPECT_FALSE(error.empty());
        EXPECT_NE(error.find(c.named_in_error), std::string::npos);
        EXPECT_TRUE(h.services().empty());
    }
}

TEST(LocalizerHandshake, ClientReceivesTheLocalizerThroughTheRegistry)
{
    host h;
    std::string error;
    auto texts = translations::parse("10\tProfile tool\n", error);
    ASSERT_TRUE(texts);
    h.set_translations(std::move(*texts));
    ASSERT_TRUE(h.load(module_path, error)) << error;
    EXPECT_EQ(h.localizer_watchers(), 0u);
    h.connect_clients();
    // The module watches the localizer with one weak holder.
    EXPECT_EQ(h.localizer_watchers(), 1u);
    // Only the first create counts: no second holder.
    h.connect_clients();
    EXPECT_EQ(h.localizer_watchers(), 1u);
}

TEST(LocalizerHandshake, WithoutTranslationsNoLocalizerIsHandedOut)
{
    host h;
    std::string error;
    ASSERT_TRUE(h.load(module_path, error)) << error;
    h.connect_clients();
    EXPECT_EQ(h.localizer_watchers(), 0u);
    EXPECT_EQ(h.localizer_requests(), 0u);
}

} // namespace
} // namespace zv::hostapp
