// The host functions of zvk_file_tos4 on files made by the library's writer
// (damaged files: pgrid_commands_test.cpp, through the same reader).
#include "captured_text.h"
#include "host/zvk_file_tos4.h"
#include "pgrid_file.h"
#include "pgrid_sample.h"

#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace
{

using namespace zv::test;

constexpr uint32_t kQuietNaN = 0x7FC00000u;

class Tos4 : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_EQ(zv::zvk_file_tos4::write_new_file(path.string(), sample_header(), sample_columns()), "");
    }
    zv_tos4_file_t open(int mode) const { return zv_tos4_file_open_w(path.u16string().c_str(), mode); }
    scratch_folder folder;
    std::filesystem::path path = folder / "wells.pgrid";
};

// Ranges are read and written whole or not at all; converting values:
// pgrid_values_test. Finding a property by its exact name and writing one
// without touching the others are the OAT tool's tests'.
TEST_F(Tos4, ListsPropertiesReadsAndWritesInPlaceButNotInListingMode)
{
    zv_tos4_file_t file = open(ZV_TOS4_OPEN_WRITE);
    ASSERT_NE(file, nullptr);
    zv_tos4_prop_t zone = zv_tos4_prop_open(file, 3);
    const float values[2] = {1.0f, std::bit_cast<float>(kQuietNaN)};
    EXPECT_EQ(zv_tos4_prop_write_64(zone, 0, values, 2, false, 0), 2u);
    EXPECT_EQ(zv_tos4_prop_write_64(zone, UINT64_MAX, values, 2, false, 0), 0u);
    zv_tos4_prop_t depth = zv_tos4_prop_open(file, 1);
    float buffer[3] = {};
    EXPECT_EQ(zv_tos4_prop_read_64(depth, 1, 2, buffer, 3, false, 0), 2u) << "part of the range";
    EXPECT_EQ(buffer[1], -0.001f);
    EXPECT_EQ(zv_tos4_prop_read_64(depth, 2, 2, buffer, 3, false, 0), 0u) << "past the end";
    EXPECT_EQ(zv_tos4_prop_read_64(depth, 0, 3, buffer, 2, false, 0), 0u) << "buffer too small";
    zv_tos4_prop_close(depth);
    zv_tos4_prop_close(zone);
    zv_tos4_file_close(file);

    const auto size_before = std::filesystem::file_size(path);
    file = open(ZV_TOS4_OPEN_LIST);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(zv_tos4_get_prop_count(file), 5u);
    EXPECT_EQ(zv_tos4_get_object_count_64(file), 3u);
    captured_text text;
    ASSERT_TRUE(zv_tos4_get_prop_name_w(file, 1, text.handle()));
    EXPECT_EQ(text.wide, u"depth");
    ASSERT_TRUE(zv_tos4_get_prop_caption_w(file, 1, text.handle()));
    EXPECT_EQ(text.wide, u"Глубина, м");
    ASSERT_TRUE(zv_tos4_get_prop_caption_w(file, 3, text.handle()));
    EXPECT_EQ(text.wide, u"zone") << "a property without a caption is shown by its name";
    text.wide = u"unchanged";
    EXPECT_FALSE(zv_tos4_get_prop_name_w(file, 5, text.handle()));
    EXPECT_EQ(text.wide, u"unchanged");
    EXPECT_EQ(zv_tos4_prop_open(file, -1), nullptr);
    zone = zv_tos4_prop_open(file, 3);
    float zone_now[3] = {};
    EXPECT_EQ(zv_tos4_prop_read_64(zone, 0, 3, zone_now, 3, false, 0), 3u);
    EXPECT_EQ(zone_now[0], 1.0f);
    EXPECT_TRUE(std::isnan(zone_now[1]));
    EXPECT_EQ(zone_now[2], 32767.0f) << "the rest untouched";
    EXPECT_EQ(zv_tos4_prop_write_64(zone, 0, values + 1, 1, false, 0), 0u) << "listing mode does not write";
    zv_tos4_prop_close(zone);
    zv_tos4_file_close(file);
    EXPECT_EQ(std::filesystem::file_size(path), size_before);
}

TEST_F(Tos4, BadArgumentsAndFilesAreRefused)
{
    EXPECT_EQ(open(2), nullptr);
    EXPECT_EQ(zv_tos4_file_open_w((folder / "missing.pgrid").u16string().c_str(), ZV_TOS4_OPEN_LIST),
              nullptr);
    EXPECT_EQ(zv_tos4_get_prop_count(nullptr), 0u);
    EXPECT_EQ(zv_tos4_get_object_count_64(nullptr), 0u);
    EXPECT_EQ(zv_tos4_get_index_by_name_w(nullptr, u"x"), -1);
}

} // namespace
