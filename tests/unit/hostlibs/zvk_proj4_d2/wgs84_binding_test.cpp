// Which Helmert transformation binds a system to WGS84 for an extent. The
// areas and accuracies are those PROJ's database gives Pulkovo 1942 to
// WGS 84 (16), (20), (1), (10) and (15), plus two made-up ones for the ties.
#include "wgs84_binding.h"

#include <gtest/gtest.h>

#include <optional>

namespace
{

using namespace zv::zvk_proj4_d2;

TEST(ChooseShift, MostAccurateHoldingTheExtentElseMostOverlapElseLargestArea)
{
    const geo_box ex_ussr{19.57, 35.14, -168.97, 81.91}, russia{19.58, 41.19, -168.97, 81.91};
    const helmert_shifts pulkovo = {
        {nullptr, 4.5, ex_ussr},                     // 0
        {nullptr, 3.0, russia},                      // 1
        {nullptr, 999.0, russia},                    // 2
        {nullptr, 2.0, {48.9, 41.15, 53.15, 46.97}}, // 3: Caspian Sea
        {nullptr, 2.0, {48.93, 38.31, 50.4, 40.33}}, // 4: Baku coast
        {nullptr, -1.0, {44.0, 55.0, 46.0, 57.0}},   // 5: accuracy unknown
        {nullptr, 3.0, {44.0, 55.0, 46.0, 57.0}},    // 6: as accurate as 1, smaller
    };
    const struct {
        const char* data;
        std::optional<geo_box> extent;
        std::optional<std::size_t> chosen;
    } cases[] = {
        {"Volga, inside 5 and 6", geo_box{44.5, 55.5, 45.5, 56.5}, 6},
        {"Moscow", geo_box{37.3, 55.5, 37.9, 56.0}, 1},
        {"Caspian", geo_box{51.2, 46.3, 51.8, 46.7}, 3},
        {"one point on Baku's coast", geo_box{49.5, 39.0, 49.5, 39.0}, 4},
        {"Chukotka, across the antimeridian", geo_box{179.0, 64.0, -179.0, 66.0}, 1},
        {"Kaliningrad and beyond, west of every area", geo_box{15.0, 54.0, 20.0, 55.0}, 0},
        {"Armenia, south of Russia", geo_box{44.0, 39.5, 45.0, 40.5}, 0},
        {"Brazil, outside every area", geo_box{-50.0, -20.0, -45.0, -15.0}, std::nullopt},
        {"no extent: the largest area", std::nullopt, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(choose_shift(pulkovo, c.extent), c.chosen) << c.data;

    // Without an extent, equal largest areas go to the more accurate shift.
    const helmert_shifts russia_only = {{nullptr, 999.0, russia}, {nullptr, 3.0, russia}};
    EXPECT_EQ(choose_shift(russia_only, std::nullopt), 1u);
    EXPECT_EQ(choose_shift({}, std::nullopt), std::nullopt);
}

} // namespace
