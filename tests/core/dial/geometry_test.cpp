#include "core/dial/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/core/dial/test_sites.h"

namespace sundial {
namespace {

using sundial::testing::SiteAt;

// The worked examples give the gnomon quantities to four places.
constexpr double kFourPlaces = 5e-5;

std::vector<int> Hours(const std::vector<HourRow>& rows) {
    std::vector<int> hours;
    for (const HourRow& r : rows) hours.push_back(r.hour);
    return hours;
}

TEST(DialGeometry, WestWallAtLondonMatchesWorkedExample) {
    const DialGeometry dial = ComputeDial(SiteAt(51.5f, 0.12f, "185.2"));
    EXPECT_NEAR(dial.GnomonAngle, 38.3127, kFourPlaces);
    EXPECT_NEAR(dial.GnomonOffset, 4.1235, kFourPlaces);
    EXPECT_NEAR(dial.SubstyleHourAngle, 6.6330, kFourPlaces);

    // ShadowAngle is rounded down to hundredths and stored as a single: compare
    // with the single nearest each printed value.
    const std::vector<float> expected = {-83.32f, 72.71f,  51.15f,  34.06f,  20.72f,  9.77f,  0.07f,
                                         -9.26f,  -19.04f, -30.17f, -43.83f, -61.36f, -83.32f};
    for (int h = 6; h <= 18; ++h) {
        EXPECT_EQ(dial.ShadowAngle[h], expected[static_cast<size_t>(h - 6)]) << "hour " << h;
    }
    EXPECT_EQ(dial.FirstPositiveHour, 7);
    EXPECT_EQ(dial.LastNegativeHour, 18);
    EXPECT_EQ(Hours(dial.HourList),
              (std::vector<int>{7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(dial.HourList.front().angle, -72.71f);
    EXPECT_EQ(dial.HourList.back().angle, 83.32f);
    EXPECT_EQ(dial.OffsetSide, "right.");
}

TEST(DialGeometry, StronglyWestWallListsEveningHoursOnMorningLines) {
    const DialGeometry dial = ComputeDial(SiteAt(51.5f, 0.12f, "250"));
    EXPECT_NEAR(dial.GnomonOffset, 36.7768, kFourPlaces);
    EXPECT_NEAR(dial.SubstyleHourAngle, 74.1006, kFourPlaces);
    EXPECT_EQ(dial.FirstPositiveHour, 11);
    EXPECT_EQ(dial.LastNegativeHour, 18);
    EXPECT_EQ(Hours(dial.HourList),
              (std::vector<int>{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}));
    const std::vector<float> evening = {44.01f, 49.12f, 57.62f, 76.82f};
    for (size_t i = 0; i < evening.size(); ++i) {
        EXPECT_EQ(dial.HourList[8 + i].angle, evening[i]) << "hour " << 19 + i;
    }
}

TEST(DialGeometry, StronglyEastWallListsEarlyHoursOnAfternoonLines) {
    const DialGeometry dial = ComputeDial(SiteAt(51.5f, 0.12f, "110"));
    EXPECT_EQ(dial.OffsetSide, "left.");
    EXPECT_EQ(dial.FirstPositiveHour, 6);
    EXPECT_EQ(dial.LastNegativeHour, 13);
    EXPECT_EQ(Hours(dial.HourList), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    const std::vector<float> early = {-77.31f, -57.80f, -49.21f, -44.07f};
    for (size_t i = 0; i < early.size(); ++i) {
        EXPECT_EQ(dial.HourList[i].angle, early[i]) << "hour " << 2 + i;
    }
}

TEST(DialGeometry, SouthWallHasNoOffsetAndUsesEastFormula) {
    const DialGeometry dial = ComputeDial(SiteAt(51.5f, 0.12f, "180"));
    EXPECT_EQ(dial.GnomonOffset, 0.0f);
    EXPECT_EQ(dial.SubstyleHourAngle, 0.0f);
    EXPECT_EQ(dial.OffsetSide, "");
    // East formula: noon (sun 0.12 degrees before the meridian at 12:00 GMT)
    // leans the line slightly left of the root, i.e. a positive angle.
    EXPECT_GT(dial.RawShadowAngle[12], 0.0f);
}

// Invariants that hold for any site inside the dialogs' ranges.
struct SiteRow {
    const char* name;
    float lat, lon;
    const char* bearing;
    float zone;
};

class DialInvariants : public ::testing::TestWithParam<SiteRow> {};

TEST_P(DialInvariants, HoursTwelveApartShareALineAndAnglesStayFolded) {
    const SiteRow& row = GetParam();
    const DialGeometry dial = ComputeDial(SiteAt(row.lat, row.lon, row.bearing, row.zone));
    EXPECT_EQ(dial.RawShadowAngle[6], dial.RawShadowAngle[18]);
    for (int h = 6; h <= 18; ++h) {
        EXPECT_GE(dial.RawShadowAngle[h], -90.0f) << h;
        EXPECT_LE(dial.RawShadowAngle[h], 90.0f) << h;
        // Rounded down: never above the raw value, less than a hundredth below.
        EXPECT_LE(dial.ShadowAngle[h], dial.RawShadowAngle[h]) << h;
        EXPECT_GT(dial.ShadowAngle[h], dial.RawShadowAngle[h] - 0.0101f) << h;
    }
    for (int h = 19; h <= 22; ++h) EXPECT_EQ(dial.RawShadowAngle[h], 0.0f);
    for (const HourRow& r : dial.HourList) {
        EXPECT_GE(r.hour, 2);
        EXPECT_LE(r.hour, 24);
    }
}

INSTANTIATE_TEST_SUITE_P(Sites, DialInvariants,
                         ::testing::Values(SiteRow{"London185", 51.5f, 0.12f, "185.2", 0},
                                           SiteRow{"Budapest200", 47.5f, -19.1f, "200", 1},
                                           SiteRow{"Miami140", 25.9f, 80.2f, "140", -5},
                                           SiteRow{"North70_250", 70, -30, "250", 2},
                                           SiteRow{"South15_110", 15, 120, "110", -8},
                                           SiteRow{"Exeter180", 50.7f, 3.5f, "180", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DialGeometry, RoundingIsDownwardForBothSigns) {
    EXPECT_EQ(FloorHundredths(12.345f), 12.34f);
    EXPECT_EQ(FloorHundredths(-12.345f), -12.35f);
    EXPECT_EQ(FloorTenths(0.08f), 0.0f);
    EXPECT_EQ(FloorTenths(-0.01f), -0.1f);
}

TEST(DialGeometry, HourTableRejectsHoursOutsideItsRange) {
    HourTable table;
    EXPECT_THROW(table[5], std::out_of_range);
    EXPECT_THROW(table[23], std::out_of_range);
    EXPECT_NO_THROW(table[22]);
}

// Sites no dialog accepts: each must fault in an orderly way, never crash.
TEST(DialGeometry, ArithmeticFaultsAreReported) {
    struct Row {
        const char* name;
        float lat;
        const char* bearing;
    } rows[] = {
        {"latitude 0 divides by tan 0", 0, "200"},
        {"cos product 1 makes ArcSin divide by zero", 0, "180"},
        {"not-a-number latitude", std::numeric_limits<float>::quiet_NaN(), "185.2"},
    };
    for (const Row& row : rows) {
        EXPECT_THROW(ComputeDial(SiteAt(row.lat, 0, row.bearing)), ArithmeticFault) << row.name;
    }
    EXPECT_THROW(ArcSin(1.0), ArithmeticFault);
    EXPECT_THROW(ArcSin(-1.0), ArithmeticFault);
    EXPECT_NEAR(ArcSin(0.5), kPi / 6, 1e-12);
}

}  // namespace
}  // namespace sundial
