#include "core/sun/wall_bearing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/sun/reading_file.h"
#include "core/sun/reading_plan.h"

namespace sundial {
namespace {

// A reading made from the true sun must give its bearing back this closely.
constexpr double kRoundTripTol = 0.01;  // degrees
// Means and spreads of bearings known exactly, up to the arithmetic.
constexpr double kArithmeticTol = 1e-9;

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

double Signed(double deg) {
    return std::remainder(deg, 360.0);
}

// The reading a person would take: a pin standing on a level board against a
// wall facing `bearing`, lit by the sun at `azimuth`/`altitude`. The shadow
// of the pin's top falls away from the sun; the board's square line points
// out of the wall (u), and v lies along the wall a quarter turn clockwise
// from it seen from above. Coordinates east, north, up.
double ShadowAngleSeen(double bearing, double azimuth, double altitude) {
    const double sx = std::sin(azimuth * kDegToRad) * std::cos(altitude * kDegToRad);
    const double sy = std::cos(azimuth * kDegToRad) * std::cos(altitude * kDegToRad);
    const double sz = std::sin(altitude * kDegToRad);
    const double pinTop = 1.0;
    const double shadowX = -pinTop * sx / sz;
    const double shadowY = -pinTop * sy / sz;
    const double ux = std::sin(bearing * kDegToRad), uy = std::cos(bearing * kDegToRad);
    const double vx = uy, vy = -ux;  // u turned clockwise by 90 degrees
    double a = std::atan2(shadowX * vx + shadowY * vy, shadowX * ux + shadowY * uy) / kDegToRad;
    // The shadow is a line on the board: the same line whichever end is read.
    if (a > 90) a -= 180;
    if (a <= -90) a += 180;
    return a;
}

struct Site {
    double latitude;
    double longitudeWest;
    double zone;
};

Observer ObserverOf(const Site& s) {
    return {s.latitude, s.longitudeWest, s.zone};
}

SolarPosition Sun(const Site& s, const ClockTime& clock) {
    const SolarResult r = SunAt(s.latitude, s.longitudeWest, clock, s.zone);
    EXPECT_TRUE(r.position) << r.error;
    return r.position.value_or(SolarPosition{});
}

struct ShadowRow {
    const char* name;
    Site site;
    ClockTime clock;
    double bearing;
};

class ShadowFromTrueSun : public ::testing::TestWithParam<ShadowRow> {};

TEST_P(ShadowFromTrueSun, GivesTheWallsBearingBack) {
    const ShadowRow& row = GetParam();
    const SolarPosition sun = Sun(row.site, row.clock);
    const WallReading reading{
        ReadingMethod::Shadow, row.clock,
        ShadowAngleSeen(row.bearing, sun.azimuthDeg, sun.apparentAltitudeDeg)};
    const ReadingResult r = BearingFromReading(ObserverOf(row.site), reading);
    ASSERT_TRUE(r.value) << r.error;
    EXPECT_NEAR(Signed(r.value->bearingDeg - row.bearing), 0.0, kRoundTripTol);
    EXPECT_EQ(r.value->sun.azimuthDeg, sun.azimuthDeg);
}

INSTANTIATE_TEST_SUITE_P(
    Walls, ShadowFromTrueSun,
    ::testing::Values(
        ShadowRow{"ExeterSummerMorningSouthEast", {50.7, 3.5, 1}, {2026, 6, 21, 9, 40, 0}, 150},
        ShadowRow{"LondonWinterNoonNearlySouth", {51.5, 0.12, 0}, {2026, 12, 21, 12, 5, 0}, 185.2},
        ShadowRow{"OsloAfternoonSouthWest", {59.9, -10.75, 2}, {2026, 5, 2, 16, 30, 0}, 232.5},
        ShadowRow{"NewYorkEastWallEarly", {40.7, 74.0, -4}, {2026, 8, 10, 7, 15, 0}, 110},
        // Mid-morning at 15 N in June, the sun north of east and climbing.
        ShadowRow{"TropicsMidsummerMorning", {15, -100, 5}, {2026, 6, 21, 9, 0, 0}, 110},
        ShadowRow{"Year1900", {50.7, 3.5, 0}, {1900, 3, 1, 11, 0, 0}, 170},
        ShadowRow{"Year2100", {50.7, 3.5, 0}, {2100, 9, 30, 14, 0, 0}, 210}),
    [](const auto& info) { return std::string(info.param.name); });

// The clock time, within a second-long day window, at which the sun's azimuth
// crosses `azimuth`: bisection between two times either side of the crossing.
ClockTime CrossingTime(const Site& site, ClockTime early, ClockTime late, double azimuth) {
    auto side = [&](const ClockTime& c) { return Signed(Sun(site, c).azimuthDeg - azimuth) > 0; };
    const bool earlySide = side(early);
    EXPECT_NE(earlySide, side(late)) << "no crossing of " << azimuth << " in the window";
    for (int i = 0; i < 40; ++i) {
        const double hours = ((late.hour - early.hour) * 60.0 + (late.minute - early.minute) +
                              (late.second - early.second) / 60.0) /
                             60.0;
        const ClockTime middle = ShiftClock(early, hours / 2);
        if (side(middle) == earlySide) {
            early = middle;
        } else {
            late = middle;
        }
    }
    return early;
}

struct GrazingRow {
    const char* name;
    Site site;
    ClockTime windowStart;  // the crossing lies in this window, same day
    ClockTime windowEnd;
    double bearing;
    ReadingMethod method;
    double sunAzimuth;  // where the sun stands at the moment
};

class GrazingFromTrueSun : public ::testing::TestWithParam<GrazingRow> {};

TEST_P(GrazingFromTrueSun, GivesTheWallsBearingBack) {
    const GrazingRow& row = GetParam();
    const ClockTime moment = CrossingTime(row.site, row.windowStart, row.windowEnd, row.sunAzimuth);
    const ReadingResult r =
        BearingFromReading(ObserverOf(row.site), WallReading{row.method, moment, 0});
    ASSERT_TRUE(r.value) << r.error;
    EXPECT_NEAR(Signed(r.value->bearingDeg - row.bearing), 0.0, kRoundTripTol);
}

INSTANTIATE_TEST_SUITE_P(Walls, GrazingFromTrueSun,
                         ::testing::Values(
                             // The sun comes round from the east onto a wall facing 185.2 when it
                             // stands at 95.2, and leaves it at 275.2.
                             GrazingRow{"ExeterEntersMorning",
                                        {50.7, 3.5, 1},
                                        {2026, 6, 21, 6, 0, 0},
                                        {2026, 6, 21, 11, 0, 0},
                                        185.2,
                                        ReadingMethod::Enters,
                                        95.2},
                             GrazingRow{"ExeterLeavesEvening",
                                        {50.7, 3.5, 1},
                                        {2026, 6, 21, 16, 0, 0},
                                        {2026, 6, 21, 21, 0, 0},
                                        185.2,
                                        ReadingMethod::Leaves,
                                        275.2},
                             GrazingRow{"EastWallLeavesBeforeNoon",
                                        {48.85, -2.35, 1},
                                        {2026, 3, 20, 9, 0, 0},
                                        {2026, 3, 20, 14, 0, 0},
                                        110,
                                        ReadingMethod::Leaves,
                                        200},
                             // At 15 degrees north in June the sun passes north of the zenith:
                             // before noon its azimuth falls through 20, which is where it leaves
                             // a wall facing 110 (a clockwise sun would enter it there).
                             GrazingRow{"TropicsLeavesWhileAzimuthFalls",
                                        {15, 0, 0},
                                        {2026, 6, 21, 9, 0, 0},
                                        {2026, 6, 21, 11, 55, 0},
                                        110,
                                        ReadingMethod::Leaves,
                                        20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BearingFromReading, RefusesReadingsThatCannotBeRight) {
    const Observer exeter{50.7, 3.5, 1};
    struct Row {
        const char* name;
        WallReading reading;
        const char* words;  // part of the reason
    };
    const std::vector<Row> rows = {
        {"shadow-square-to-wall",
         {ReadingMethod::Shadow, {2026, 6, 21, 12, 0, 0}, 90},
         "behind the wall"},
        {"shadow-beyond-square",
         {ReadingMethod::Shadow, {2026, 6, 21, 12, 0, 0}, -95.5},
         "at -95.50 the sun would be behind the wall"},
        {"shadow-too-large-to-show-fixed",
         {ReadingMethod::Shadow, {2026, 6, 21, 12, 0, 0}, 1e63},
         "at 1e+63 the sun would be behind the wall"},
        {"shadow-not-a-number",
         {ReadingMethod::Shadow, {2026, 6, 21, 12, 0, 0}, std::nan("")},
         "not a number"},
        {"shadow-at-midnight",
         {ReadingMethod::Shadow, {2026, 6, 21, 0, 30, 0}, 10},
         "below the horizon"},
        {"enters-at-night",
         {ReadingMethod::Enters, {2026, 12, 21, 22, 0, 0}, 0},
         "below the horizon"},
        {"no-such-day", {ReadingMethod::Leaves, {2026, 9, 31, 18, 0, 0}, 0}, "no date 2026-09-31"},
        {"before-1900", {ReadingMethod::Shadow, {1899, 7, 1, 12, 0, 0}, 0}, "1900 to 2100"},
    };
    for (const Row& row : rows) {
        const ReadingResult r = BearingFromReading(exeter, row.reading);
        EXPECT_FALSE(r.value) << row.name;
        EXPECT_NE(r.error.find(row.words), std::string::npos) << row.name << ": " << r.error;
    }
}

// Shadow readings at one instant whose bearings are exactly `bearings`.
std::vector<WallReading> ReadingsFor(const Site& site, const ClockTime& clock,
                                     const std::vector<double>& bearings) {
    const double azimuth = Sun(site, clock).azimuthDeg;
    std::vector<WallReading> readings;
    for (double b : bearings) {
        readings.push_back({ReadingMethod::Shadow, clock, Signed(azimuth - b)});
    }
    return readings;
}

struct SummaryRow {
    const char* name;
    Site site;
    ClockTime clock;
    std::vector<double> bearings;
    double mean;
    double spread;            // NaN: none, one reading
    int warnedReading;        // 0: no warning
    double offered;           // NaN: not offered
    const char* facingWords;  // part of the explanation when not offered
};

class Summary : public ::testing::TestWithParam<SummaryRow> {};

TEST_P(Summary, MeanSpreadWarningAndOffer) {
    const SummaryRow& row = GetParam();
    const MeasurementResult r =
        MeasureWallBearing(ObserverOf(row.site), ReadingsFor(row.site, row.clock, row.bearings));
    ASSERT_TRUE(r.value) << r.error;
    const WallBearingMeasurement& m = *r.value;
    ASSERT_EQ(m.readings.size(), row.bearings.size());
    EXPECT_NEAR(Signed(m.meanDeg - row.mean), 0.0, kArithmeticTol);
    EXPECT_GE(m.meanDeg, 0.0);
    EXPECT_LT(m.meanDeg, 360.0);
    if (std::isnan(row.spread)) {
        EXPECT_FALSE(m.spreadDeg);
    } else {
        ASSERT_TRUE(m.spreadDeg);
        EXPECT_NEAR(*m.spreadDeg, row.spread, 1e-6);
    }
    if (row.warnedReading == 0) {
        EXPECT_EQ(m.warning, "");
    } else {
        EXPECT_NE(m.warning.find("reading " + std::to_string(row.warnedReading) + " (shadow at"),
                  std::string::npos)
            << m.warning;
    }
    if (std::isnan(row.offered)) {
        EXPECT_FALSE(m.offeredDeg);
        const std::string why = m.advice.empty() ? m.facing : m.advice;
        EXPECT_NE(why.find(row.facingWords), std::string::npos) << why;
        if (m.advice.empty()) {
            EXPECT_NE(m.facing.find("walls facing 110 to 250 degrees"), std::string::npos);
        }
    } else {
        ASSERT_TRUE(m.offeredDeg) << m.facing;
        EXPECT_EQ(*m.offeredDeg, row.offered);
        EXPECT_EQ(m.facing, "");
    }
}

constexpr double kNone = std::nan("");
const Site kExeter{50.7, 3.5, 1};
const ClockTime kExeterNoon{2026, 6, 21, 13, 10, 0};
// At 15 N on midsummer noon the sun stands nearly due north, high up.
const Site kTropic{15, 0, 0};
const ClockTime kTropicNoon{2026, 6, 21, 12, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Readings, Summary,
    ::testing::Values(
        SummaryRow{"OneReading", kExeter, kExeterNoon, {185.2}, 185.2, kNone, 0, 185.2, ""},
        SummaryRow{
            "ThreeClose", kExeter, kExeterNoon, {184.9, 185.2, 185.5}, 185.2, 0.3, 0, 185.2, ""},
        // Sample deviation of 180, 181, 185 about 182: sqrt((4 + 1 + 9) / 2),
        // too wide to offer; 185 is within 3 robust deviations of the median.
        SummaryRow{"WideSpreadNamesFurthest",
                   kExeter,
                   kExeterNoon,
                   {180, 181, 185},
                   182,
                   std::sqrt(7.0),
                   3,
                   kNone,
                   "agree within 2"},
        SummaryRow{"MeanRoundedToHundredths",
                   kExeter,
                   kExeterNoon,
                   {200.004, 200.0},
                   200.002,
                   std::sqrt(8e-6),
                   0,
                   200.0,
                   ""},
        SummaryRow{"RangeEndsAreOffered", kExeter, kExeterNoon, {110}, 110, kNone, 0, 110, ""},
        SummaryRow{"JustOutsideTheRange",
                   kExeter,
                   kExeterNoon,
                   {250.02},
                   250.02,
                   kNone,
                   0,
                   kNone,
                   "faces 250.02 degrees, towards the west-south-west"},
        SummaryRow{"EastFacingWall",
                   kExeter,
                   kExeterNoon,
                   {100},
                   100,
                   kNone,
                   0,
                   kNone,
                   "towards the east"},
        SummaryRow{"EitherSideOfNorth",
                   kTropic,
                   kTropicNoon,
                   {359.5, 0.5},
                   0,
                   std::sqrt(0.5),
                   0,
                   kNone,
                   "faces 0.00 degrees, towards the north"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeasureWallBearing, NamesTheFirstReadingItRefuses) {
    std::vector<WallReading> readings = ReadingsFor(kExeter, kExeterNoon, {185, 186});
    readings.push_back({ReadingMethod::Enters, {2026, 6, 21, 23, 30, 0}, 0});
    readings.push_back({ReadingMethod::Shadow, kExeterNoon, 120});
    const MeasurementResult r = MeasureWallBearing({50.7, 3.5, 1}, readings);
    EXPECT_FALSE(r.value);
    EXPECT_EQ(r.error.rfind("Reading 3 (enters at 2026-06-21T23:30:00): the sun is below", 0), 0u)
        << r.error;

    const MeasurementResult none = MeasureWallBearing({50.7, 3.5, 1}, {});
    EXPECT_FALSE(none.value);
    EXPECT_NE(none.error, "");
}

TEST(CombineBearings, NamesTheFurthestReadingByTheLabelGiven) {
    // Readings taken on clocks in different zones are combined from their
    // bearings; the caller names them.
    std::vector<ReadingBearing> bearings;
    for (double b : {180.0, 181.0, 185.0}) bearings.push_back({SolarPosition{}, b});
    const WallBearingMeasurement m =
        CombineBearings(bearings, {"reading 1 (a)", "reading 2 (b)", "reading 3 (on UTC+2)"});
    EXPECT_NEAR(m.meanDeg, 182.0, kArithmeticTol);
    EXPECT_NE(m.warning.find("reading 3 (on UTC+2) is furthest from the mean, 3.00 degrees off"),
              std::string::npos)
        << m.warning;
    EXPECT_TRUE(CombineBearings({}, {}).readings.empty());
}

TEST(CompassPoint, NamesTheSixteenPoints) {
    struct Row {
        double bearing;
        const char* point;
    };
    for (const Row& row :
         {Row{0, "north"}, Row{359.9, "north"}, Row{11.24, "north"}, Row{11.26, "north-north-east"},
          Row{67.5, "east-north-east"}, Row{180, "south"}, Row{185.2, "south"},
          Row{202.5, "south-south-west"}, Row{250, "west-south-west"}, Row{-90, "west"},
          Row{337.5, "north-north-west"}}) {
        EXPECT_EQ(CompassPoint(row.bearing), row.point) << row.bearing;
    }
}

// First and last light: the clock time at which the sun's disc, seen where
// the eye sees it, touches the wall's plane from one side or the other. Found
// from the sun's direction against the wall's normal (the sine of its angular
// distance from the plane), not from azimuths.
struct LightRow {
    const char* name;
    Site site;
    ClockTime windowStart;  // the moment lies in this window, same day
    ClockTime windowEnd;
    double bearing;
    ReadingMethod method;
    LightEdge edge;
};

class LightFromTrueSun : public ::testing::TestWithParam<LightRow> {};

TEST_P(LightFromTrueSun, GivesTheWallsBearingBack) {
    const LightRow& row = GetParam();
    // In front of the wall the disc's centre is +s from the plane once the
    // whole disc is out, -s when its first edge shows.
    auto distance = [&](const ClockTime& c) {
        const SolarPosition p = Sun(row.site, c);
        const double alt = p.apparentAltitudeDeg * kDegToRad, az = p.azimuthDeg * kDegToRad;
        const double b = row.bearing * kDegToRad;
        return std::cos(alt) * (std::sin(az) * std::sin(b) + std::cos(az) * std::cos(b));
    };
    const double s = std::sin(Sun(row.site, row.windowStart).semiDiameterDeg * kDegToRad);
    // Entering, the leading edge shows first (centre still behind); leaving,
    // the leading edge goes first (centre still in front).
    const double lead = row.method == ReadingMethod::Enters ? -s : s;
    const double target = row.edge == LightEdge::First  ? lead
                          : row.edge == LightEdge::Last ? -lead
                                                        : 0.0;
    ClockTime early = row.windowStart, late = row.windowEnd;
    const bool earlySide = distance(early) > target;
    ASSERT_NE(earlySide, distance(late) > target) << "no such moment in the window";
    double spanHours = ((late.hour - early.hour) * 60.0 + (late.minute - early.minute)) / 60.0;
    for (int i = 0; i < 40; ++i) {
        spanHours /= 2;
        const ClockTime middle = ShiftClock(early, spanHours);
        if ((distance(middle) > target) == earlySide) early = middle;
    }
    const ReadingResult r =
        BearingFromReading(ObserverOf(row.site), WallReading{row.method, early, 0, row.edge});
    ASSERT_TRUE(r.value) << r.error;
    EXPECT_NEAR(Signed(r.value->bearingDeg - row.bearing), 0.0, kRoundTripTol);
}

INSTANTIATE_TEST_SUITE_P(
    Walls, LightFromTrueSun,
    ::testing::Values(LightRow{"ExeterFirstLightMorning",
                               {50.7, 3.5, 1},
                               {2026, 6, 21, 5, 0, 0},
                               {2026, 6, 21, 11, 0, 0},
                               185.2,
                               ReadingMethod::Enters,
                               LightEdge::First},
                      LightRow{"ExeterLastLightEvening",
                               {50.7, 3.5, 1},
                               {2026, 6, 21, 15, 0, 0},
                               {2026, 6, 21, 21, 0, 0},
                               185.2,
                               ReadingMethod::Leaves,
                               LightEdge::Last},
                      LightRow{"ExeterLeavesFirstEdge",
                               {50.7, 3.5, 1},
                               {2026, 6, 21, 15, 0, 0},
                               {2026, 6, 21, 21, 0, 0},
                               185.2,
                               ReadingMethod::Leaves,
                               LightEdge::First},
                      LightRow{"WinterEntersLastEdge",
                               {51.5, 0.12, 0},
                               {2026, 12, 21, 8, 30, 0},
                               {2026, 12, 21, 13, 0, 0},
                               250,
                               ReadingMethod::Enters,
                               LightEdge::Last},
                      // The sun 80 degrees up as it leaves a wall facing 110 at 15 N in
                      // June: the disc's radius is 1.5 degrees of azimuth there.
                      LightRow{"HighSunLeavesLastLight",
                               {15, 0, 0},
                               {2026, 6, 21, 9, 0, 0},
                               {2026, 6, 21, 11, 55, 0},
                               110,
                               ReadingMethod::Leaves,
                               LightEdge::Last}),
    [](const auto& info) { return std::string(info.param.name); });

// Readings far from the rest are left out by the stated rule; the clock an
// hour off is named instead of a reading.
TEST(MeasureWallBearing, LeavesOutOutliersAndSuspectsTheClock) {
    const Site exeter{50.7, 3.5, 1};
    auto shadow = [&](const ClockTime& clock, double bearing) {
        return WallReading{ReadingMethod::Shadow, clock, Sun(exeter, clock).azimuthDeg - bearing};
    };
    const std::vector<ClockTime> times = {{2026, 6, 21, 10, 0, 0},
                                          {2026, 6, 21, 11, 30, 0},
                                          {2026, 6, 21, 13, 0, 0},
                                          {2026, 6, 21, 14, 30, 0}};
    std::vector<WallReading> good;
    for (const ClockTime& t : times) good.push_back(shadow(t, 193.4));

    // One reading with its angle's sign flipped.
    std::vector<WallReading> flipped = good;
    flipped[3].shadowAngleDeg = -flipped[3].shadowAngleDeg;
    const WallBearingMeasurement m = MeasureWallBearing(ObserverOf(exeter), flipped).value.value();
    EXPECT_EQ(m.leftOut, (std::vector<bool>{false, false, false, true}));
    EXPECT_NEAR(m.meanDeg, 193.4, kRoundTripTol);
    EXPECT_NEAR(m.residualsDeg[3], 2 * good[3].shadowAngleDeg, kRoundTripTol);
    EXPECT_EQ(m.offeredDeg, 193.4);
    EXPECT_NE(m.warning.find("Reading 4 (shadow at 2026-06-21T14:30:00) is"), std::string::npos);

    // The same good readings worked out as if the clock kept UTC.
    const WallBearingMeasurement utc =
        MeasureWallBearing(ObserverOf({50.7, 3.5, 0}), good).value.value();
    EXPECT_NE(utc.clockHint.find("one hour ahead: was it summer time?"), std::string::npos);
    EXPECT_EQ(utc.warning, "");
    EXPECT_FALSE(utc.offeredDeg);

    // Two that contradict each other: nothing to leave out, nothing offered.
    const WallBearingMeasurement two =
        MeasureWallBearing(ObserverOf(exeter), {shadow(times[1], 200), shadow(times[1], 100)})
            .value.value();
    EXPECT_NEAR(two.meanDeg, 150, kRoundTripTol);
    EXPECT_FALSE(two.offeredDeg);
    EXPECT_NE(two.advice.find("agree within 2"), std::string::npos);
}

// The plan of a day, read back: the moment it gives for the sun square to the
// wall, or crossing its edge, gives the rough bearing back.
TEST(PlanReadings, ItsMomentsGiveTheBearingBack) {
    // The plan's moments are to the second; the sun moves 0.004 degrees a second.
    constexpr double kSecondTol = 0.02;
    const Observer boston{42.4, 71.1, 0, "America/New_York"};
    const ReadingPlan plan = PlanReadings(boston, 200, 2026, 6, 21);
    ASSERT_EQ(plan.error, "");
    std::vector<PlanEvent> events;
    for (const PlanMoment& m : plan.moments) {
        events.push_back(m.event);
        EXPECT_EQ(m.utcOffsetHours, -4);
        if (m.event == PlanEvent::Square) {
            EXPECT_NEAR(Signed(m.sun.azimuthDeg - 200), 0, kSecondTol);
            continue;
        }
        ASSERT_TRUE(m.atWallEdge);
        const ReadingMethod method =
            m.event == PlanEvent::Enters ? ReadingMethod::Enters : ReadingMethod::Leaves;
        const ReadingResult r = BearingFromReading(boston, {method, m.clock, 0, LightEdge::Centre});
        ASSERT_TRUE(r.value) << r.error;
        EXPECT_NEAR(Signed(r.value->bearingDeg - 200), 0, kSecondTol);
    }
    EXPECT_EQ(events,
              (std::vector<PlanEvent>{PlanEvent::Enters, PlanEvent::Square, PlanEvent::Leaves}));
}

}  // namespace
}  // namespace sundial
