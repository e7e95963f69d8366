#include "host/zvk_basic.h"
#include "platform/module_resources.h"
#include "test_resources.h"

#include <gtest/gtest.h>

#include <string>

extern "C" long zv_probe_own_string_length(unsigned id) noexcept;

namespace zv::platform
{
namespace
{

TEST(LoadedModule, FindsLoadedLibrariesOnlyWithoutLoadingThem)
{
    // Called as the module calls it, so the program loads zvk_basic as the
    // module does (Windows loads only the libraries a program calls into).
    zv_res_get_lng();
    EXPECT_NE(loaded_module("zvk_basic"), nullptr);
    EXPECT_NE(test::resources::library(), nullptr);
    EXPECT_EQ(loaded_module("zvk_never_built_anywhere"), nullptr);
    EXPECT_EQ(loaded_module(""), nullptr);
}

// Strings with their own zero, followed by more text, empty or absent: the
// string loader's tests; what the pictures decode to: the bitmap resources'.
TEST(ModuleResources, EntriesAreViewedInPlaceAndAbsentOrBrokenOnesAreEmpty)
{
    EXPECT_TRUE(module_string(test::resources::library(), 4).empty());
    EXPECT_TRUE(module_string(loaded_module("zvhost"), 1).empty()); // no resource table
    // zvk_file_dbf has no table of its own; the lookup must not reach zvk_basic's.
    EXPECT_TRUE(module_string(loaded_module("zvk_file_dbf"), 101).empty());

    auto bytes = module_bitmap(test::resources::library(), 7);
    ASSERT_EQ(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_TRUE(module_bitmap(loaded_module("zvk_basic"), 7).empty());
#if defined(_WIN32) // the cursor's group directory: its header and one entry
    EXPECT_EQ(module_icon(test::resources::library(), 2).size(), 6u + 14);
#else
    EXPECT_EQ(module_icon(test::resources::library(), 2).size(), 22u + 40 + 8 + 2 * 16 * 4);
#endif
    EXPECT_TRUE(module_icon(test::resources::library(), 7).empty());
}

TEST(OwnModule, ALibraryFindsItsOwnTableNotTheProgramsOrItsNeighbours)
{
    EXPECT_EQ(zv_probe_own_string_length(1), 11);
    EXPECT_EQ(zv_probe_own_string_length(12), -1); // the program's table has 12
    EXPECT_EQ(zv_probe_own_string_length(3), -1);  // zv_test_resources has 3
}

} // namespace
} // namespace zv::platform
