// The names of the polygon tool's outputs. Its runs, on the sample fields
// and failing, are polygon_e2e.py's; which record and part each output
// object comes from is checked there too.
#include "plugin/app/pgn_oriented_axes2d_app/pgn_processing.h"

#include <gtest/gtest.h>

namespace zv
{
namespace
{

// Outputs take the input's folder and stem and its extension in lower case.
TEST(PolygonAxesOutputs, NamesFollowTheInput)
{
    const pgn_output_paths upper = pgn_output_paths_for(u"D:\\data\\fields.SHP");
    EXPECT_EQ(upper.long_axes, u"D:\\data\\fields_large_axes2d.shp");
    EXPECT_EQ(upper.short_axes, u"D:\\data\\fields_small_axes2d.shp");
    EXPECT_EQ(upper.rectangles, u"D:\\data\\fields_rect2d.shp");
    EXPECT_EQ(pgn_output_paths_for(u"D:\\d.x/fields").long_axes, u"D:\\d.x/fields_large_axes2d");
    EXPECT_EQ(pgn_output_paths_for(u".hidden").rectangles, u".hidden_rect2d");
}

} // namespace
} // namespace zv
