#include "xlsx/cells.h"

#include <gtest/gtest.h>

#include "platform/environment.h"

namespace
{

TEST(CellReferences, ColumnLettersAreBijectiveBase26)
{
    using zv::xlsx::ColumnName;
    EXPECT_EQ(ColumnName(0), "A");
    EXPECT_EQ(ColumnName(25), "Z");
    EXPECT_EQ(ColumnName(26), "AA");
    EXPECT_EQ(ColumnName(51), "AZ");
    EXPECT_EQ(ColumnName(52), "BA");
    EXPECT_EQ(ColumnName(701), "ZZ");
    EXPECT_EQ(ColumnName(702), "AAA");
    EXPECT_EQ(ColumnName(16383), "XFD");
    EXPECT_EQ(ColumnName(4294967295u), "MWLQKWV");
}

TEST(CellReferences, ReferenceJoinsLettersAndRow)
{
    EXPECT_EQ(zv::xlsx::CellReference(1, 0), "A1");
    EXPECT_EQ(zv::xlsx::CellReference(100000, 27), "AB100000");
}

class SerialDays : public ::testing::Test
{
  protected:
    void TearDown() override { zv::platform::clear_environment_overrides(); }
};

TEST_F(SerialDays, UnixEpochIsDay25569InUtc)
{
    zv::platform::override_local_offset(0);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(0), 25569.0);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(86400 + 43200), 25570.5);
    // 2024-03-01 06:00:00 UTC; 2024-02-29 exists.
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(1709272800), 45352.25);
}

TEST_F(SerialDays, LocalTimeIsUsed)
{
    zv::platform::override_local_offset(3 * 3600);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(0), 25569.125);
    zv::platform::override_local_offset(-6 * 3600);
    EXPECT_DOUBLE_EQ(zv::xlsx::SerialDayNumber(0), 25568.75);
}

} // namespace
