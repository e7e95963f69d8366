// The zvhost program itself, run as a user runs it, on the built module and
// on a library that is no module: the module's registration in its order.
// Its exit statuses are checked in process by the host application's unit
// tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/command.h"

namespace
{

// Lists the services of a library of the build; `errors` redirects standard error.
zv::test::command_result zvhost_list(const std::string& library, const std::string& errors)
{
    return zv::test::run_command(zv::test::quoted(zv::test::program("zvhost")) + " list " +
                                 zv::test::quoted(zv::test::shared_library(library)) + " " + errors);
}

TEST(ZvhostList, LoadsTheBuiltModuleAndPrintsItsFiveServicesWithTheirKinds)
{
    const zv::test::command_result r = zvhost_list("zv_geotools", std::string("2>") + zv::test::null_device);
    ASSERT_TRUE(r.ok());
    const std::vector<std::string> lines = zv::test::lines_of(r.output);
    EXPECT_EQ(lines, (std::vector<std::string>{"org.zvgeo/app/pgn_oriented_axes2d_app\ttool",
                                               "(client)\tclient", "org.zvgeo/app/prf_beg_end_app\ttool",
                                               "org.zvgeo/app/tos_graph_x2y_app\ttool", "(client)\tclient"}));
}

TEST(ZvhostList, RefusesALibraryWithoutTheModulesEntry)
{
    const zv::test::command_result r = zvhost_list("zv_test_no_entry", "2>&1");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("zv_bundle_interface_to_custom_pointer"), std::string::npos) << r.output;
}

} // namespace
