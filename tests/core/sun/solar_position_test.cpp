#include "core/sun/solar_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace sundial {
namespace {

// The accuracy promised against an independent ephemeris.
constexpr double kAngleTol = 0.005;          // degrees, azimuth and geometric altitude
constexpr double kDeclinationTol = 0.001;    // degrees: references give it to 0.1"
constexpr double kEquationTol = 1.0 / 60.0;  // minutes: one second of time

ClockTime At(int y, int mo, int d, int h, int mi, double s = 0) {
    return ClockTime{y, mo, d, h, mi, s};
}

struct Reference {
    const char* name;
    double latitude;
    double longitudeWest;
    ClockTime utc;
    double azimuth;      // NaN where the source gives none
    double altitude;     // geometric
    double declination;  // geocentric apparent
    double equationMin;
};

constexpr double kNone = std::nan("");

// Published solar positions:
// - NREL's Solar Position Algorithm report (TP-560-34302), its worked example
//   at Golden, Colorado: azimuth, unrefracted altitude, declination and
//   equation of time, stated accurate to 0.0003 degrees; and the next day.
// - The US Naval Observatory's vector astrometry (NOVAS) with the DE405
//   ephemeris, seen from the Observatory in Washington (38.9215 N, 77.0669 W):
//   altitude without refraction and azimuth. Those tables take UT1 equal to
//   TT; read here as UTC, the sun is taken about a minute later along its
//   yearly path, under 0.001 degrees.
// - Meeus, Astronomical Algorithms, examples 25.b and 28.b: 1992 October 13
//   at 0h TD (23:59:01.816 UTC), apparent declination -7 47' 01.74" and
//   equation of time 13m 42.57s.
// - JPL Horizons for 1980 March 25 0h UTC: apparent declination +1 47' 16.9".
const std::vector<Reference> kReferences = {
    {"SpaGolden2003", 39.742476, 105.1786, At(2003, 10, 17, 19, 30, 30), 194.340241, 39.872046,
     -9.31434, 14.641503},
    {"SpaGoldenNextDay", 39.742476, 105.1786, At(2003, 10, 18, 19, 30, 30), 194.311132, 39.505196,
     kNone, kNone},
    {"NovasUsno1969", 38.9215, 77.0669, At(1969, 7, 20, 20, 18, 0), 258.55507178, 46.72403357,
     kNone, kNone},
    {"NovasUsno1990Sunset", 38.9215, 77.0669, At(1990, 5, 20, 0, 0, 0), 293.95636637, 2.22094694,
     kNone, kNone},
    {"NovasUsno2000BeforeSunrise", 38.9215, 77.0669, At(2000, 1, 1, 12, 0, 0), 115.32008451,
     -5.48650542, kNone, kNone},
    {"NovasUsno2012AfterSunset", 38.9215, 77.0669, At(2012, 8, 25, 0, 0, 0), 286.09632001,
     -2.73840769, kNone, kNone},
    {"Meeus1992", 0, 0, At(1992, 10, 12, 23, 59, 1.816), kNone, kNone, -7.78381667, 13.70949},
    {"Horizons1980", 0, 0, At(1980, 3, 25, 0, 0, 0), kNone, kNone, 1.78802778, kNone},
};

class PublishedSun : public ::testing::TestWithParam<Reference> {};

TEST_P(PublishedSun, AgreesWithinTheStatedTolerances) {
    const Reference& r = GetParam();
    const SolarResult result = SunAt(r.latitude, r.longitudeWest, r.utc, 0);
    ASSERT_TRUE(result.position) << result.error;
    const SolarPosition& sun = *result.position;
    if (!std::isnan(r.azimuth)) {
        EXPECT_NEAR(sun.azimuthDeg, r.azimuth, kAngleTol);
    }
    if (!std::isnan(r.altitude)) {
        EXPECT_NEAR(sun.altitudeDeg, r.altitude, kAngleTol);
    }
    if (!std::isnan(r.declination)) {
        EXPECT_NEAR(sun.declinationDeg, r.declination, kDeclinationTol);
    }
    if (!std::isnan(r.equationMin)) {
        EXPECT_NEAR(sun.equationOfTimeMin, r.equationMin, kEquationTol);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, PublishedSun, ::testing::ValuesIn(kReferences),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SunAt, ZoneOffsetOnlyChangesHowTheInstantIsWritten) {
    // 10:30 in UTC+2 is 08:30 UTC; 01:00 on 1 March in UTC+3 is 22:00 UTC on
    // 28 February of a leap year.
    struct Row {
        const char* name;
        ClockTime clock;
        double offset;
        ClockTime utc;
    };
    const std::vector<Row> rows = {
        {"east-of-greenwich", At(2026, 6, 21, 10, 30), 2, At(2026, 6, 21, 8, 30)},
        {"west-of-greenwich", At(2026, 12, 31, 20, 0), -5, At(2027, 1, 1, 1, 0)},
        {"back-over-leap-day", At(2024, 3, 1, 1, 0), 3, At(2024, 2, 29, 22, 0)},
    };
    for (const Row& row : rows) {
        const SolarResult local = SunAt(50.7, 3.5, row.clock, row.offset);
        const SolarResult utc = SunAt(50.7, 3.5, row.utc, 0);
        ASSERT_TRUE(local.position && utc.position) << row.name;
        EXPECT_EQ(local.position->azimuthDeg, utc.position->azimuthDeg) << row.name;
        EXPECT_EQ(local.position->altitudeDeg, utc.position->altitudeDeg) << row.name;
    }
}

TEST(SunAt, EquationOfTimeKeepsItsSeasonsAcrossTheWholeRange) {
    // Today about +16.4 minutes early in November and -14.2 in mid-February.
    // The perihelion's slow drift moves the curve by some 0.15 minute a
    // century, so the ends of the range stray a little further.
    struct Row {
        int year;
        double tolerance;  // minutes
    };
    constexpr double kNowTol = 0.05;
    constexpr double kCenturyTol = 0.3;
    for (const Row row : {Row{2026, kNowTol}, Row{1900, kCenturyTol}, Row{2100, kCenturyTol}}) {
        const SolarResult november = SunAt(50, 0, At(row.year, 11, 3, 12, 0), 0);
        const SolarResult february = SunAt(50, 0, At(row.year, 2, 11, 12, 0), 0);
        ASSERT_TRUE(november.position && february.position) << row.year;
        EXPECT_NEAR(november.position->equationOfTimeMin, 16.4, row.tolerance) << row.year;
        EXPECT_NEAR(february.position->equationOfTimeMin, -14.2, row.tolerance) << row.year;
    }
}

TEST(SunAt, HourAngleIsZeroWhenTheSunIsDueSouth) {
    // Local apparent noon at Exeter (3.5 W) on 21 June 2026: mean noon at
    // 12:14 UTC, less the equation of time.
    ClockTime noon = At(2026, 6, 21, 12, 14);
    for (int i = 0; i < 3; ++i) {
        const SolarResult r = SunAt(50.7, 3.5, noon, 0);
        ASSERT_TRUE(r.position);
        noon = ShiftClock(noon, -r.position->hourAngleDeg / 15.0);
    }
    const SolarResult r = SunAt(50.7, 3.5, noon, 0);
    constexpr double kTransitTol = 1e-4;  // degrees, after three corrections
    EXPECT_NEAR(r.position->hourAngleDeg, 0.0, kTransitTol);
    EXPECT_NEAR(r.position->azimuthDeg, 180.0, kAngleTol);
    // At transit the altitude is 90 - latitude + declination.
    EXPECT_NEAR(r.position->altitudeDeg, 90.0 - 50.7 + r.position->declinationDeg, kAngleTol);
}

TEST(SunAt, RefusesWhatCannotBeComputed) {
    struct Row {
        const char* name;
        double latitude;
        double longitude;
        ClockTime clock;
        double offset;
        const char* words;  // part of the reason given
    };
    const std::vector<Row> rows = {
        {"thirtieth-of-february", 50, 0, At(2026, 2, 30, 12, 0), 0, "no date 2026-02-30"},
        {"february-29-not-leap", 50, 0, At(2100, 2, 29, 12, 0), 0, "no date 2100-02-29"},
        {"month-thirteen", 50, 0, At(2026, 13, 1, 12, 0), 0, "no date"},
        {"hour-twenty-four", 50, 0, At(2026, 6, 21, 24, 0), 0, "no time of day 24:00"},
        {"sixty-seconds", 50, 0, At(2026, 6, 21, 12, 0, 60), 0, "no time of day"},
        {"before-1900", 50, 0, At(1899, 12, 31, 23, 59), 0, "1900 to 2100"},
        {"after-2100", 50, 0, At(2101, 1, 1, 0, 0), 0, "1900 to 2100"},
        {"zone-pushes-out-of-range", 50, 0, At(1900, 1, 1, 0, 30), 1, "1900 to 2100"},
        {"latitude-beyond-pole", 95, 0, At(2026, 6, 21, 12, 0), 0, "latitude"},
        {"longitude-beyond-180", 50, 200, At(2026, 6, 21, 12, 0), 0, "longitude"},
        {"zone-not-a-number", 50, 0, At(2026, 6, 21, 12, 0), std::nan(""), "time zone"},
    };
    for (const Row& row : rows) {
        const SolarResult r = SunAt(row.latitude, row.longitude, row.clock, row.offset);
        EXPECT_FALSE(r.position) << row.name;
        EXPECT_NE(r.error.find(row.words), std::string::npos) << row.name << ": " << r.error;
    }
    // The ends of the range themselves are fine.
    EXPECT_TRUE(SunAt(50, 0, At(1900, 1, 1, 0, 0), 0).position);
    EXPECT_TRUE(SunAt(50, 0, At(2100, 12, 31, 23, 59, 59.5), 0).position);
}

TEST(StandardRefraction, LiftsMostAtTheHorizonAndNothingOverhead) {
    constexpr double kFormulaTol = 2e-5;     // degrees: the same formula, other rounding
    constexpr double kConventionTol = 0.01;  // degrees: almanac rule of thumb
    struct Row {
        const char* name;
        double altitude;
        double lift;
        double tolerance;
    };
    const std::vector<Row> rows = {
        // The refraction of NREL's worked example (0.016332 degrees at 820 hPa
        // and 11 C, true altitude 39.872046) scaled to 1010 hPa and 10 C.
        {"spa-example-scaled", 39.872046, 0.016332 * (1010.0 / 820.0) * (284.0 / 283.0),
         kFormulaTol},
        // A sun whose centre is 34' below the true horizon is seen on it.
        {"sunrise-convention", -34.0 / 60.0, 34.0 / 60.0, kConventionTol},
        {"true-horizon", 0.0, 29.0 / 60.0, kConventionTol},
        {"overhead", 90.0, 0.0, kFormulaTol},
    };
    for (const Row& row : rows) {
        EXPECT_NEAR(StandardRefractionDeg(row.altitude), row.lift, row.tolerance) << row.name;
    }
    // Deep below the horizon the lift stays as it was one degree under.
    EXPECT_EQ(StandardRefractionDeg(-10), StandardRefractionDeg(-1));
}

TEST(SunAt, ApparentAltitudeIsTheGeometricOneLifted) {
    const SolarResult r = SunAt(39.742476, 105.1786, At(2003, 10, 17, 19, 30, 30), 0);
    ASSERT_TRUE(r.position);
    EXPECT_EQ(r.position->apparentAltitudeDeg,
              r.position->altitudeDeg + StandardRefractionDeg(r.position->altitudeDeg));
}

}  // namespace
}  // namespace sundial

namespace sundial {
namespace {

// A table of the sun reads the Earth's ephemeris at every other instant and
// takes the Earth between from its motion: against the sun worked out
// whole at each instant, four days apart as the year's table has them,
// across a leap second (the end of 2016) and at both ends of the range.
// Far inside what the year's own interpolation allows.
TEST(SunFromCentreEvery, AgreesWithTheSunWorkedOutAtEachInstant) {
    constexpr double kDeclinationTol = 6e-5;  // degrees: 0.2 seconds of arc
    constexpr double kEquationTol = 6e-4;     // minutes: 0.5 seconds of arc of hour angle
    constexpr double kDistanceTol = 5e-6;     // astronomical units
    const struct {
        ClockTime first;
        double stepDays;
        int count;
    } rows[] = {
        {{1900, 1, 2, 0, 0, 0}, 4, 30},
        {{2016, 11, 1, 0, 0, 0}, 4, 31},
        {{2026, 1, 1, 6, 0, 0}, 4, 93},
        {{2099, 9, 1, 0, 0, 0}, 4, 30},
    };
    for (const auto& r : rows) {
        const auto table = SunFromCentreEvery(r.first, r.stepDays, r.count);
        ASSERT_TRUE(table) << r.first.year;
        ASSERT_EQ(table->size(), static_cast<std::size_t>(r.count));
        for (int i = 0; i < r.count; ++i) {
            const auto exact = SunFromCentre(ShiftClock(r.first, i * r.stepDays * 24));
            ASSERT_TRUE(exact);
            const CentreSun& got = (*table)[static_cast<std::size_t>(i)];
            EXPECT_NEAR(got.declinationDeg, exact->declinationDeg, kDeclinationTol)
                << r.first.year << " instant " << i;
            EXPECT_NEAR(got.equationOfTimeMin, exact->equationOfTimeMin, kEquationTol)
                << r.first.year << " instant " << i;
            EXPECT_NEAR(got.distanceAu, exact->distanceAu, kDistanceTol)
                << r.first.year << " instant " << i;
        }
    }
    // An instant beyond the ephemeris's years spoils the whole table.
    EXPECT_FALSE(SunFromCentreEvery({2100, 12, 1, 0, 0, 0}, 4, 10));
}

}  // namespace
}  // namespace sundial
