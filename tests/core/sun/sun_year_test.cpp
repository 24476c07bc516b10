#include "core/sun/sun_year.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/sun/clock_time.h"
#include "core/sun/sun_year_nodes.h"

namespace sundial {
namespace {

// The year's table against the full ephemeris at the same instant: what the
// interpolation and the shorter nutation series may cost.
constexpr double kDeclinationTol = 0.001;  // degrees: 0.02 mm a metre from the nodus
constexpr double kEquationTol = 0.004;     // minutes: 0.001 degrees of hour angle

TEST(SunYear, AgreesWithTheEphemerisAtAnyInstant) {
    std::mt19937 rng(16);
    for (const int year : {1901, 1970, 2026, 2028, 2099}) {
        const auto table = SunYear::For(year);
        ASSERT_TRUE(table) << year;
        std::uniform_real_distribution<double> when(0, table->days());
        for (int i = 0; i < 40; ++i) {
            const double days = when(rng);
            const auto exact = SunAt(0, 0, ShiftClock({year, 1, 1, 0, 0, 0}, days * 24), 0);
            ASSERT_TRUE(exact.position);
            const CentreSun sun = table->At(days);
            EXPECT_NEAR(sun.declinationDeg, exact.position->declinationDeg, kDeclinationTol)
                << year << " day " << days;
            EXPECT_NEAR(sun.equationOfTimeMin, exact.position->equationOfTimeMin, kEquationTol)
                << year << " day " << days;
        }
    }
}

// The years built into the program are the ephemeris's own to the bit, each
// node in its place: a table built by an older ERFA, or read one node or one
// year off, fails here.
TEST(SunYear, CarriedYearsAreTheEphemerisWorkedOut) {
    EXPECT_EQ(CarriedSunYearNodes(kFirstCarriedSunYear - 1), nullptr);
    EXPECT_EQ(CarriedSunYearNodes(kLastCarriedSunYear + 1), nullptr);
    for (const int year : {kFirstCarriedSunYear, 2026, 2028, kLastCarriedSunYear}) {
        const CentreSun* carried = CarriedSunYearNodes(year);
        const auto worked = WorkOutSunYearNodes(year);
        ASSERT_TRUE(carried && worked) << year;
        ASSERT_EQ(worked->size(), static_cast<std::size_t>(kSunYearNodes));
        for (int i = 0; i < kSunYearNodes; ++i) {
            const CentreSun& a = carried[i];
            const CentreSun& b = (*worked)[static_cast<std::size_t>(i)];
            ASSERT_TRUE(a.declinationDeg == b.declinationDeg &&
                        a.equationOfTimeMin == b.equationOfTimeMin && a.distanceAu == b.distanceAu)
                << year << " node " << i;
        }
    }
}

// Published instants of the equinoxes and solstices of 2026 (UTC, to the
// minute): the declination is 0 or the obliquity, within what ten minutes of
// the sun's motion and the nutation of the obliquity allow.
TEST(SunYear, CrossesTheEquatorAndTurnsAtTheAlmanacsInstants) {
    constexpr double kTol = 0.003;  // degrees
    const auto table = SunYear::For(2026);
    ASSERT_TRUE(table);
    const double e = table->obliquityDeg();
    EXPECT_NEAR(e, 23.436, 0.001);
    struct Row {
        MonthDay date;
        double utcHours;
        double declinationDeg;
    };
    for (const Row& r : {Row{{3, 20}, 14 + 46 / 60.0, 0.0}, Row{{6, 21}, 8 + 24 / 60.0, e},
                         Row{{9, 23}, 0 + 5 / 60.0, 0.0}, Row{{12, 21}, 20 + 50 / 60.0, -e}}) {
        const int day = *DayOfYear(2026, r.date);
        EXPECT_NEAR(table->AtClock(day, r.utcHours + 2, 2).declinationDeg, r.declinationDeg, kTol)
            << r.date.month << "-" << r.date.day;
    }
}

TEST(SunYear, DatesRoundTripAndOnlyRealOnesAreDays) {
    for (int d = 1; d <= 367; ++d) {
        const auto date = MonthDayOf(2028, d);
        EXPECT_EQ(date ? DayOfYear(2028, *date) : std::nullopt,
                  d <= 366 ? std::optional<int>(d) : std::nullopt);
    }
    for (const MonthDay bad : {MonthDay{2, 29}, MonthDay{4, 31}, MonthDay{13, 1}, MonthDay{0, 5}}) {
        EXPECT_FALSE(DayOfYear(2026, bad)) << bad.month << "-" << bad.day;
    }
    EXPECT_FALSE(SunYear::For(kFirstCurveYear - 1));
    EXPECT_FALSE(SunYear::For(kLastCurveYear + 1));
}

}  // namespace
}  // namespace sundial
