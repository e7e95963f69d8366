#include <gtest/gtest.h>

#include "kit/command.h"

#include <set>
#include <sstream>
#include <string>

namespace
{

// Names of the symbols that the built module defines in its dynamic table.
std::set<std::string> exported_symbols(const std::string& library)
{
    std::set<std::string> names;
    for (const std::string& line : zv::test::lines_of(
             zv::test::run_command("nm -D --defined-only " + zv::test::quoted(library)).output)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.insert(name);
    }
    return names;
}

TEST(ModuleExports, ExactlyTheEntryPointsLeaveTheLibrary)
{
    std::set<std::string> names = exported_symbols(std::string(ZV_LIB_DIR) + "/libzv_geotools.so");
    ASSERT_FALSE(names.empty()) << "nm found no symbols in the module";
    // The resource table is exported by the resources part of the module.
    names.erase("zv_module_resource_table");
    EXPECT_EQ(names, (std::set<std::string>{"scary_vcl_bug_crashes_everything_on_unloading",
                                            "zv_bundle_interface_to_custom_pointer"}));
}

} // namespace
