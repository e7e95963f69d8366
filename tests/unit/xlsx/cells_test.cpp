#include "xlsx/cells.h"

#include <gtest/gtest.h>

#include "platform/environment.h"

namespace
{

// Column letters are bijective base 26; the Unix epoch is day 25569 in UTC,
// 2024-02-29 exists, and the local offset counts.
TEST(CellReferences, ColumnLettersAndSerialDays)
{
    const std::pair<std::uint32_t, const char*> columns[] = {
        {0, "A"}, {25, "Z"}, {26, "AA"}, {701, "ZZ"}, {702, "AAA"}, {4294967295u, "MWLQKWV"}};
    for (const auto& [column, name] : columns)
        EXPECT_EQ(zv::xlsx::ColumnName(column), name);
    EXPECT_EQ(zv::xlsx::CellReference(1, 0), "A1");
    EXPECT_EQ(zv::xlsx::CellReference(100000, 27), "AB100000");
    zv::platform::override_local_offset(0);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(0), 25569.0);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(1709272800), 45352.25); // 2024-03-01 06:00:00 UTC
    zv::platform::override_local_offset(-6 * 3600);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(0), 25568.75);
    zv::platform::clear_environment_overrides();
}

} // namespace
