#include "xlsx/cells.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "platform/environment.h"

namespace
{

TEST(CellReferences, ColumnLettersAreBijectiveBase26)
{
    const std::pair<std::uint32_t, const char*> columns[] = {
        {0, "A"},     {25, "Z"},      {26, "AA"},
        {51, "AZ"},   {52, "BA"},     {701, "ZZ"},
        {702, "AAA"}, {16383, "XFD"}, {4294967295u, "MWLQKWV"}};
    for (const auto& [column, name] : columns)
        EXPECT_EQ(zv::xlsx::ColumnName(column), name);
    EXPECT_EQ(zv::xlsx::CellReference(1, 0), "A1");
    EXPECT_EQ(zv::xlsx::CellReference(100000, 27), "AB100000");
}

// Unix epoch is day 25569 in UTC; 2024-02-29 exists; the local offset counts.
TEST(SerialDays, DaysSince1900InLocalTime)
{
    zv::platform::override_local_offset(0);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(0), 25569.0);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(86400 + 43200), 25570.5);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(1709272800), 45352.25); // 2024-03-01 06:00:00 UTC
    zv::platform::override_local_offset(3 * 3600);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(0), 25569.125);
    zv::platform::override_local_offset(-6 * 3600);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(0), 25568.75);
    zv::platform::clear_environment_overrides();
}

} // namespace
