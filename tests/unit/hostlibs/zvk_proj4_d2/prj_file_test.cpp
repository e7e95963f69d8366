#include "prj_file.h"

#include <gtest/gtest.h>

namespace
{

TEST(PrjPath, ExtensionOfTheFileNameIsReplaced)
{
    using zv::zvk_proj4_d2::prj_path;
    EXPECT_EQ(prj_path(u"D:\\data.v2\\line1"), u"D:\\data.v2\\line1.prj");
    EXPECT_EQ(prj_path(u"/d/a.b.shp"), u"/d/a.b.prj");
    EXPECT_EQ(prj_path(u"/d/.hidden"), u"/d/.hidden.prj");
}

} // namespace
