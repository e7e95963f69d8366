// The built module, loaded through libzvhost exactly as a host loads it; its
// registration is seen through zvhost's listing (zvhost_command_test.cpp), a
// missing file through the host application's unit tests.
#include "host.h"

#include <gtest/gtest.h>

#include <string>

namespace zv::hostapp
{
namespace
{

TEST(ModuleLoading, LibraryWithoutEntryIsRefused)
{
    host h;
    std::string error;
    EXPECT_FALSE(h.load(std::string(ZV_LIB_DIR) + "/libzv_test_no_entry.so", error));
    EXPECT_NE(error.find("zv_bundle_interface_to_custom_pointer"), std::string::npos);
    EXPECT_TRUE(h.services().empty());
}

} // namespace
} // namespace zv::hostapp
