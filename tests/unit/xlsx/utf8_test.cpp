// Paths handed to the workbook's file layer: within the length limit, no NUL.
#include "xlsx/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(Utf8Encoding, MultibytePathsKeepTheLimitAndRefuseNul)
{
    std::string out;
    EXPECT_TRUE(zv::xlsx::ToMultibytePath(std::u16string(zv::xlsx::kMaxMultibytePath, u'a'), out));
    EXPECT_EQ(out.size(), zv::xlsx::kMaxMultibytePath);
    // 130 Cyrillic letters are 260 bytes: one over the limit.
    EXPECT_FALSE(zv::xlsx::ToMultibytePath(std::u16string(130, u'Ж'), out));
    EXPECT_FALSE(zv::xlsx::ToMultibytePath(std::u16string(u"a\0b", 3), out));
}

} // namespace
