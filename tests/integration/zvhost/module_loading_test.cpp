// The built module, loaded through libzvhost exactly as a host loads it; its
// registration is seen through zvhost's listing (zvhost_command_test.cpp).
#include "host.h"

#include <gtest/gtest.h>

#include <string>

namespace zv::hostapp
{
namespace
{

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

} // namespace
} // namespace zv::hostapp
