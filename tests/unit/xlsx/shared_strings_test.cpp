#include "xlsx/shared_strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using zv::xlsx::SharedStringTable;

namespace
{

// Indices follow first use; bytes are compared exactly (NUL, empty, case);
// Find looks up without adding.
TEST(SharedStrings, IndicesFollowFirstUseOfExactBytes)
{
    SharedStringTable table;
    EXPECT_TRUE(table.Empty());
    const std::string with_nul("a\0b", 3);
    const std::string texts[] = {"b", with_nul, "a", "", "A"};
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(table.IndexOf(texts[i]), i);
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(table.IndexOf(texts[i]), i);
        EXPECT_EQ(table.At(i), texts[i]);
    }
    EXPECT_EQ(table.Find("a"), 2u);
    EXPECT_EQ(table.Find("y"), SharedStringTable::kNotFound);
    EXPECT_EQ(table.Count(), 5u);
}

TEST(SharedStrings, ManyStringsSurviveGrowth)
{
    SharedStringTable table;
    const int n = 200000;
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(table.IndexOf("value " + std::to_string(i * 7)), static_cast<std::uint64_t>(i));
    for (int i = n - 1; i >= 0; i -= 997)
        EXPECT_EQ(table.IndexOf("value " + std::to_string(i * 7)), static_cast<std::uint64_t>(i));
    EXPECT_EQ(table.Count(), static_cast<std::uint64_t>(n));
    EXPECT_EQ(table.At(12345), "value " + std::to_string(12345 * 7));
}

TEST(SharedStrings, TextsLongerThanAnArenaBlock)
{
    SharedStringTable table;
    const std::string big(3 * 1024 * 1024, 'z');
    std::string other = big;
    other.back() = 'y';
    EXPECT_EQ(table.IndexOf("short"), 0u);
    EXPECT_EQ(table.IndexOf(big), 1u);
    EXPECT_EQ(table.IndexOf(other), 2u);
    EXPECT_EQ(table.IndexOf("after"), 3u);
    EXPECT_EQ(table.IndexOf(big), 1u);
    EXPECT_EQ(table.At(1), big);
    EXPECT_EQ(table.At(2), other);
    EXPECT_EQ(table.At(3), "after");
}

// A row's texts are hashed and prefetched ahead, then looked up with their
// hashes: the indices must be those of plain lookups, across table growth.
TEST(SharedStrings, PrehashedLookupsHandOutTheSameIndices)
{
    SharedStringTable plain;
    SharedStringTable ahead;
    ahead.Prefetch(SharedStringTable::Hash("empty table")); // nothing to fetch yet
    for (int row = 0; row < 3000; ++row) {
        std::vector<std::string> texts;
        for (int column = 0; column < 7; ++column)
            texts.push_back("v" + std::to_string((row * 7 + column) % 5000));
        std::vector<std::uint64_t> hashes;
        for (const std::string& text : texts) {
            hashes.push_back(SharedStringTable::Hash(text));
            ahead.Prefetch(hashes.back());
        }
        for (std::size_t i = 0; i < texts.size(); ++i)
            ASSERT_EQ(ahead.IndexOf(texts[i], hashes[i]), plain.IndexOf(texts[i])) << texts[i];
    }
    EXPECT_EQ(ahead.Count(), 5000u);
    EXPECT_EQ(ahead.Find("v4999"), plain.Find("v4999"));
}

} // namespace
