#include "xlsx/shared_strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using zv::xlsx::SharedStringTable;

namespace
{

// Indices follow first use; bytes are compared exactly (NUL, empty, case);
// Find looks up without adding; texts longer than an arena block survive.
// Texts hashed and prefetched ahead, as a row's are, then looked up with
// their hashes, keep their indices across the table's growth.
TEST(SharedStrings, IndicesFollowFirstUseOfExactBytes)
{
    SharedStringTable table;
    EXPECT_TRUE(table.Empty());
    table.Prefetch(SharedStringTable::Hash("empty table")); // nothing to fetch yet
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
    const std::uint64_t first = std::size(texts), distinct = 40000;
    for (std::uint64_t row = 0; row < 10000; ++row) {
        std::string row_texts[7];
        std::uint64_t hashes[7];
        for (std::uint64_t c = 0; c < 7; ++c) {
            row_texts[c] = "v" + std::to_string((row * 7 + c) % distinct);
            hashes[c] = SharedStringTable::Hash(row_texts[c]);
            table.Prefetch(hashes[c]);
        }
        for (std::uint64_t c = 0; c < 7; ++c)
            ASSERT_EQ(table.IndexOf(row_texts[c], hashes[c]), first + (row * 7 + c) % distinct)
                << row_texts[c];
    }
    EXPECT_EQ(table.Count(), first + distinct);
    EXPECT_EQ(table.At(first + 12345), "v12345");
    EXPECT_EQ(table.Find("v39999"), first + 39999);
}

} // namespace
