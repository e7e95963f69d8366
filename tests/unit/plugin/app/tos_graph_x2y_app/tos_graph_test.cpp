// The OAT tool's run called directly with a data file or a property that is
// not there, which the dialog never offers: its runs through zvhost, on the
// sample and on graphs of null records and parts, are oat_e2e.py's.
#include "plugin/app/tos_graph_x2y_app/tos_graph.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "kit/scratch_folder.h"
#include "kit/shown_messages.h"

namespace zv
{
namespace
{

// The run ends silently with the data file as it was; names are compared
// exactly.
TEST(OatGraph, MissingDataFileOrPropertyEndsTheRunWithNothingWritten)
{
    const test::scratch_folder folder{"zv_tos"};
    const test::shown_messages messages;
    const std::string samples = std::string(ZV_SAMPLES) + "/oat/";
    std::filesystem::copy_file(samples + "grid.pgrid", folder / "grid.pgrid");
    const std::string before = test::read_bytes(folder / "grid.pgrid");
    const std::u16string graph = test::backslashed(samples + "poro_perm.shp");
    const std::u16string data = test::backslashed(folder.file("grid.pgrid"));
    const tos_graph_params runs[] = {
        {test::backslashed(folder.file("absent.pgrid")), u"PORO", u"PERM", graph},
        {data, u"poro", u"PERM", graph},
        {data, u"PORO", u"NONE", graph},
    };
    for (const tos_graph_params& params : runs)
        EXPECT_FALSE(tos_run_graph(params));
    EXPECT_EQ(test::read_bytes(folder / "grid.pgrid"), before);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_TRUE(tos_run_graph({data, u"PORO", u"PERM", graph})) << "the same run with what is there";
}

} // namespace
} // namespace zv
