#include "xlsx/shared_strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using zv::xlsx::SharedStringTable;

namespace
{

// Indices follow first use; bytes are compared exactly (NUL, empty, case);
// Find looks up without adding; texts longer than an arena block survive.
TEST(SharedStrings, IndicesFollowFirstUseOfExactBytes)
{
    SharedStringTable table;
    EXPECT_TRUE(table.Empty());
    std::string big(3 * 1024 * 1024, 'z'), other = big;
    other.back() = 'y';
    const std::string texts[] = {"b", std::string("a\0b", 3), "a", "", "A", big, other, "after"};
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < std::size(texts); ++i) {
            EXPECT_EQ(table.IndexOf(texts[i]), i);
            EXPECT_EQ(table.At(i), texts[i]);
        }
    }
    EXPECT_EQ(table.Find("a"), 2u);
    EXPECT_EQ(table.Find("y"), SharedStringTable::kNotFound);
    EXPECT_EQ(table.Count(), std::size(texts));
}

// A row's texts are hashed and prefetched ahead, then looked up with their
// hashes; plain and prehashed lookups hand out the same indices across growth.
TEST(SharedStrings, PrehashedAndPlainLookupsAgreeAcrossGrowth)
{
    SharedStringTable plain, ahead;
    ahead.Prefetch(SharedStringTable::Hash("empty table")); // nothing to fetch yet
    const std::uint64_t distinct = 40000;
    for (std::uint64_t row = 0; row < 10000; ++row) {
        std::string texts[7];
        std::uint64_t hashes[7];
        for (std::uint64_t c = 0; c < 7; ++c) {
            texts[c] = "v" + std::to_string((row * 7 + c) % distinct);
            hashes[c] = SharedStringTable::Hash(texts[c]);
            ahead.Prefetch(hashes[c]);
        }
        for (std::uint64_t c = 0; c < 7; ++c) {
            ASSERT_EQ(ahead.IndexOf(texts[c], hashes[c]), (row * 7 + c) % distinct) << texts[c];
            ASSERT_EQ(plain.IndexOf(texts[c]), (row * 7 + c) % distinct) << texts[c];
        }
    }
    EXPECT_EQ(plain.Count(), distinct);
    EXPECT_EQ(ahead.At(12345), "v12345");
    EXPECT_EQ(ahead.Find("v39999"), 39999u);
}

} // namespace
