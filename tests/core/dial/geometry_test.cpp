#include "core/dial/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/core/dial/test_sites.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;
using sundial::testing::SiteAt;

// The worked examples give the gnomon quantities to four places.
constexpr double kFourPlaces = 5e-5;

std::vector<int> Hours(const std::vector<HourRow>& rows) {
    std::vector<int> hours;
    for (const HourRow& r : rows) hours.push_back(r.hour);
    return hours;
}

std::vector<float> Angles(const std::vector<HourRow>& rows, size_t first, size_t count) {
    std::vector<float> angles;
    for (size_t i = first; i < first + count && i < rows.size(); ++i) {
        angles.push_back(rows[i].angle);
    }
    return angles;
}

std::vector<float> ShadowAngles(const DialGeometry& dial) {
    std::vector<float> angles;
    for (int h = kFirstDialHour; h <= kLastDialHour; ++h) angles.push_back(dial.ShadowAngle[h]);
    return angles;
}

TEST(DialGeometry, WestWallAtLondonMatchesWorkedExample) {
    const DialGeometry dial = ComputeDial(SiteAt(51.5f, 0.12f, "185.2"));
    EXPECT_NEAR(dial.GnomonAngle, 38.3127, kFourPlaces);
    EXPECT_NEAR(dial.GnomonOffset, 4.1235, kFourPlaces);
    EXPECT_NEAR(dial.SubstyleHourAngle, 6.6330, kFourPlaces);

    // ShadowAngle is rounded down to hundredths and stored as a single: compare
    // with the single nearest each printed value, exactly.
    EXPECT_EQ(ShadowAngles(dial),
              (std::vector<float>{-83.32f, 72.71f, 51.15f, 34.06f, 20.72f, 9.77f, 0.07f, -9.26f,
                                  -19.04f, -30.17f, -43.83f, -61.36f, -83.32f}));
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
    // Hours 19..22 on the lines of 7..10, angles as the rounded singles.
    EXPECT_EQ(Angles(dial.HourList, 8, 4), (std::vector<float>{44.01f, 49.12f, 57.62f, 76.82f}));
}

TEST(DialGeometry, StronglyEastWallListsEarlyHoursOnAfternoonLines) {
    const DialGeometry dial = ComputeDial(SiteAt(51.5f, 0.12f, "110"));
    EXPECT_EQ(dial.OffsetSide, "left.");
    EXPECT_EQ(dial.FirstPositiveHour, 6);
    EXPECT_EQ(dial.LastNegativeHour, 13);
    EXPECT_EQ(Hours(dial.HourList), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    // Hours 2..5 on the lines of 14..17.
    EXPECT_EQ(Angles(dial.HourList, 0, 4),
              (std::vector<float>{-77.31f, -57.80f, -49.21f, -44.07f}));
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

// Any clock time: whole hours give the run's very singles, hours twelve apart
// one line, and the half hour lies between its two hours' lines.
TEST_P(DialInvariants, AngleAtAnyClockTimeAgreesWithTheRun) {
    const SiteRow& row = GetParam();
    const SiteState site = SiteAt(row.lat, row.lon, row.bearing, row.zone);
    const DialGeometry dial = ComputeDial(site);
    // tan repeats every 180 degrees only to rounding of the hour angle's single.
    constexpr float kTwelveApartTol = 1e-3f;
    for (int h = kFirstDialHour; h <= kLastDialHour; ++h) {
        EXPECT_EQ(ShadowAngleAt(site, dial, h), dial.RawShadowAngle[h]) << "hour " << h;
        const float half = *ShadowAngleAt(site, dial, h + 0.5);
        EXPECT_NEAR(*ShadowAngleAt(site, dial, h + 12.5), half, kTwelveApartTol) << h;
        if (h == kLastDialHour) continue;
        const float a = dial.RawShadowAngle[h], b = dial.RawShadowAngle[h + 1];
        // Only where the two lines do not straddle the fold at +-90 degrees.
        if (std::fabs(a - b) < 90.0f) {
            EXPECT_GT(half, std::min(a, b)) << "half past " << h;
            EXPECT_LT(half, std::max(a, b)) << "half past " << h;
        }
    }
    SiteState unknownSide = site;
    unknownSide.DeclinationSide = "";
    EXPECT_EQ(ShadowAngleAt(unknownSide, dial, 12.25), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Sites, DialInvariants,
                         ::testing::Values(SiteRow{"London185", 51.5f, 0.12f, "185.2", 0},
                                           SiteRow{"Budapest200", 47.5f, -19.1f, "200", 1},
                                           SiteRow{"Miami140", 25.9f, 80.2f, "140", -5},
                                           SiteRow{"North70_250", 70, -30, "250", 2},
                                           SiteRow{"South15_110", 15, 120, "110", -8},
                                           SiteRow{"Exeter180", 50.7f, 3.5f, "180", 0}),
                         RowName());

// A wall facing due south on its zone's meridian: the sun crosses the
// meridian at 12:00, so every hour from 6 to 18 is on the dial, in order, at
// the angle a vertical south dial has (tan = sin(colatitude) tan(hour angle)),
// the morning hours negative as the report shows them.
class MeridianSouthWall : public ::testing::TestWithParam<SiteRow> {};

TEST_P(MeridianSouthWall, ListsEveryHourFromSixToEighteen) {
    const SiteRow& row = GetParam();
    const DialGeometry dial = ComputeDial(SiteAt(row.lat, row.lon, row.bearing, row.zone));
    constexpr double kShownTol = 0.0101;  // rounded down to hundredths
    const double cosLat = std::cos(row.lat * kPi / 180);
    ASSERT_EQ(Hours(dial.HourList),
              (std::vector<int>{6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    for (const HourRow& r : dial.HourList) {
        const double hourAngle = (r.hour - 12) * 15.0;
        const double expected =
            std::fabs(hourAngle) == 90
                ? std::copysign(90.0, hourAngle)
                : std::atan(cosLat * std::tan(hourAngle * kPi / 180)) * 180 / kPi;
        EXPECT_NEAR(r.angle, expected, kShownTol) << "hour " << r.hour;
    }
}

INSTANTIATE_TEST_SUITE_P(Sites, MeridianSouthWall,
                         ::testing::Values(SiteRow{"50N_15E_UTC1", 50, -15, "180", 1},
                                           SiteRow{"Greenwich", 51.5f, 0, "180", 0},
                                           SiteRow{"75W_UTC-5", 40.7f, 75, "180", -5}),
                         RowName());

// Each rounding rule at the awkward values: negatives (down is away from
// zero), tenths and hundredths that binary cannot hold exactly (0.3f is a bit
// above 0.3, 39.1f a bit below 39.1), and magnitudes where a single has no
// hundredths left. Every result is k/10 or k/100 narrowed to a single, which is
// what the literal is: the comparisons are exact.
struct RoundingRow {
    const char* name;
    float (*round)(float);
    float value;
    float expected;
};

float Hundredths(float v) {
    return FloorHundredths(v);
}
float Tenths(float v) {
    return FloorTenths(v);
}
float TenthsSingle(float v) {
    return FloorTenthsSingle(v);
}

class RoundingTest : public ::testing::TestWithParam<RoundingRow> {};

TEST_P(RoundingTest, RoundsDownAsPrinted) {
    const RoundingRow& row = GetParam();
    const float rounded = row.round(row.value);
    EXPECT_EQ(rounded, row.expected);
    EXPECT_EQ(std::signbit(rounded), std::signbit(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RoundingTest,
    ::testing::Values(
        RoundingRow{"hundredths down", Hundredths, 12.345f, 12.34f},
        RoundingRow{"hundredths negative goes away from zero", Hundredths, -12.345f, -12.35f},
        RoundingRow{"hundredths single just below", Hundredths, 72.71f, 72.7f},
        RoundingRow{"hundredths negative single just below", Hundredths, -72.71f, -72.71f},
        RoundingRow{"hundredths single just above", Hundredths, 0.3f, 0.3f},
        RoundingRow{"hundredths 39.1", Hundredths, 39.1f, 39.09f},
        RoundingRow{"hundredths -0.3", Hundredths, -0.3f, -0.31f},
        RoundingRow{"hundredths minus zero", Hundredths, -0.0f, -0.0f},
        RoundingRow{"hundredths large", Hundredths, 123456.7f, 123456.7f},
        RoundingRow{"hundredths beyond the single's digits", Hundredths, 3e7f, 3e7f},
        RoundingRow{"tenths small positive is zero", Tenths, 0.08f, 0.0f},
        RoundingRow{"tenths small negative", Tenths, -0.01f, -0.1f},
        RoundingRow{"tenths single just above", Tenths, 0.3f, 0.3f},
        RoundingRow{"tenths 39.1 double product", Tenths, 39.1f, 39.0f},
        RoundingRow{"tenths 37.8 double product", Tenths, 37.8f, 37.7f},
        RoundingRow{"tenths -0.3", Tenths, -0.3f, -0.4f},
        RoundingRow{"tenths large", Tenths, 123456.7f, 123456.7f},
        RoundingRow{"single tenths 39.1", TenthsSingle, 39.1f, 39.1f},
        RoundingRow{"single tenths 37.8", TenthsSingle, 37.8f, 37.8f},
        RoundingRow{"single tenths -0.3", TenthsSingle, -0.3f, -0.3f},
        RoundingRow{"single tenths small negative", TenthsSingle, -0.01f, -0.1f},
        RoundingRow{"single tenths just under", TenthsSingle, 6.79999f, 6.7f},
        RoundingRow{"single tenths large", TenthsSingle, 123456.7f, 123456.7f}),
    RowName());

// The slant side is a double: it is rounded down before it is narrowed, so a
// length just under a tenth stays under it.
TEST(Rounding, TenthsOfADoubleAreTakenBeforeNarrowing) {
    EXPECT_EQ(FloorTenths(28.4999999999), 28.4f);
    EXPECT_EQ(FloorTenths(1154.7005383792516), 1154.7f);
}

TEST(DialGeometry, HourTableRejectsHoursOutsideItsRange) {
    HourTable table;
    EXPECT_THROW(table[5], std::out_of_range);
    EXPECT_THROW(table[23], std::out_of_range);
    EXPECT_NO_THROW(table[22]);
}

// Sites no dialog accepts: each must fault in an orderly way, never crash.
struct FaultRow {
    const char* name;
    float lat;
    const char* bearing;
};

class ArithmeticFaultTest : public ::testing::TestWithParam<FaultRow> {};

TEST_P(ArithmeticFaultTest, IsReported) {
    EXPECT_THROW(ComputeDial(SiteAt(GetParam().lat, 0, GetParam().bearing)), ArithmeticFault);
}

INSTANTIATE_TEST_SUITE_P(
    Sites, ArithmeticFaultTest,
    ::testing::Values(FaultRow{"latitude 0 divides by tan 0", 0, "200"},
                      FaultRow{"cos product 1 makes ArcSin divide by zero", 0, "180"},
                      FaultRow{"not a number latitude", std::numeric_limits<float>::quiet_NaN(),
                               "185.2"}),
    RowName());

TEST(DialGeometry, ArcSinFaultsAtPlusAndMinusOne) {
    EXPECT_THROW(ArcSin(1.0), ArithmeticFault);
    EXPECT_THROW(ArcSin(-1.0), ArithmeticFault);
    constexpr double kDoubleTol = 1e-12;  // a few ulps of atan and sqrt in double
    EXPECT_NEAR(ArcSin(0.5), kPi / 6, kDoubleTol);
}

}  // namespace
}  // namespace sundial
