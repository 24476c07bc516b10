#include "core/rules/input_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace sundial {
namespace {

// Stored coordinates are singles; the typed decimal comes back within this.
constexpr float kSingleTol = 1e-5f;

TEST(ZoneForLongitude, BandsBelongToTheirEasternEdge) {
    const struct {
        const char* name;
        float longitudeWest;
        int zone;
    } rows[] = {
        {"7.5 W", 7.5f, 0},       {"7.5 E", -7.5f, 1},    {"22.5 W", 22.5f, -1},
        {"175 W", 175.0f, 12},    {"175 E", -175.0f, 12}, {"172.5 W", 172.5f, -11},
        {"172.5 E", -172.5f, 12}, {"180 W", 180.0f, 12},  {"New York", 74.1f, -5},
    };
    for (const auto& r : rows) EXPECT_EQ(ZoneForLongitude(r.longitudeWest), r.zone) << r.name;
    // UTC-12 is never reached by typing a longitude.
    for (int tenth = -1800; tenth <= 1800; ++tenth) {
        const int zone = ZoneForLongitude(static_cast<float>(tenth) / 10.0f);
        ASSERT_TRUE(zone >= -11 && zone <= 12) << tenth;
    }
}

TEST(CheckLatLong, RangesAndSide) {
    const auto A = InputOutcome::Accept, W = InputOutcome::Warn, R = InputOutcome::Restore;
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        TypedNumber lat, lon;
        bool east;
        InputOutcome outcome;
        const char* message;
        float longitude;
        int zone;
    } rows[] = {
        {"lat 15", 15.0, 3.5, false, A, nullptr, 3.5f, 0},
        {"lat 70", 70.0, 3.5, false, A, nullptr, 3.5f, 0},
        {"lat 14.99", 14.99, 3.5, false, W, kLatitudeMessage, 0, 0},
        {"lat 70.01", 70.01, 3.5, false, W, kLatitudeMessage, 0, 0},
        {"lon 0 east is not -0", 50.0, 0.0, true, A, nullptr, 0.0f, 0},
        {"lon 180", 50.0, 180.0, false, A, nullptr, 180.0f, 12},
        {"lon 180.5", 50.0, 180.5, false, W, kLongitudeMessage, 0, 0},
        {"lon -5: sign only from the buttons", 50.0, -5.0, true, W, kLongitudeMessage, 0, 0},
        {"east is negative", 47.5, 19.1, true, A, nullptr, -19.1f, 1},
        {"latitude checked first", 80.0, 200.0, false, W, kLatitudeMessage, 0, 0},
        {"missing beats out of range", 99.0, std::nullopt, false, R, nullptr, 0, 0},
        {"infinite", inf, 3.5, false, R, nullptr, 0, 0},
        {"nan", 50.0, std::nan(""), false, R, nullptr, 0, 0},
        {"too big for a single", 50.0, 1e300, false, R, nullptr, 0, 0},
    };
    for (const auto& r : rows) {
        const LatLongVerdict v = CheckLatLong(r.lat, r.lon, r.east);
        EXPECT_EQ(v.outcome, r.outcome) << r.name;
        if (r.message) {
            EXPECT_STREQ(v.message, r.message) << r.name;
        }
        if (r.outcome != A) continue;
        EXPECT_NEAR(v.latitude, static_cast<float>(*r.lat), kSingleTol) << r.name;
        EXPECT_NEAR(v.longitude, r.longitude, kSingleTol) << r.name;
        EXPECT_FALSE(v.longitude == 0 && std::signbit(v.longitude)) << r.name << ": -0";
        EXPECT_EQ(v.zone, r.zone) << r.name;
    }
}

TEST(CheckBearing, RangeAndShortestText) {
    const struct {
        TypedNumber typed;
        InputOutcome outcome;
        const char* text;
    } rows[] = {
        {110.0, InputOutcome::Accept, "110"},      {250.0, InputOutcome::Accept, "250"},
        {200.0, InputOutcome::Accept, "200"},      {185.2, InputOutcome::Accept, "185.2"},
        {109.9, InputOutcome::Warn, ""},           {250.1, InputOutcome::Warn, ""},
        {std::nan(""), InputOutcome::Restore, ""},
    };
    for (const auto& r : rows) {
        const BearingVerdict v = CheckBearing(r.typed);
        EXPECT_EQ(v.outcome, r.outcome) << *r.typed;
        EXPECT_EQ(v.bearingText, r.text) << *r.typed;
    }
}

TEST(TwoDecimalFormat, Pattern) {
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {0.25, ".25"},   {5.0, "5."},    {20.1, "20.1"}, {double(20.1f), "20.1"}, {5.7735, "5.77"},
        {2.675, "2.68"}, {9.996, "10."}, {0.999, "1."},  {3863.7, "3863.7"},      {-2.354, "-2.35"},
    };
    for (const auto& r : rows) EXPECT_EQ(TwoDecimalFormat(r.value), r.text) << r.value;
}

TEST(ForwardAngleLine, TruncatesToTenthsInSinglePrecision) {
    const struct {
        float angle;
        const char* shown;
    } rows[] = {
        {37.86f, "37.8"}, {38.3127f, "38.3"}, {37.8f, "37.8"}, {45.0f, "45."}, {6.79999f, "6.7"}};
    for (const auto& r : rows) {
        EXPECT_EQ(ForwardAngleLine(r.angle),
                  std::string("   Forward angle is ") + r.shown + " degrees. ")
            << r.angle;
    }
}

TEST(CheckGnomonLength, SidesAndRange) {
    const auto A = InputOutcome::Accept;
    const struct {
        TypedNumber length;
        float angle;
        InputOutcome outcome;
        const char* hypotenuse;
        const char* opposite;
    } rows[] = {
        {20.1, 45, A, "28.4", "20.1"},  // 28.426 truncated
        {10.0, 30, A, "11.5", "5.77"},  // 11.547 truncated, not rounded
        {1.0, 30, A, "1.1", ".58"},     // no zero before the point
        {1000.0, 30, A, "1154.7", "577.35"},
        {1000.5, 30, InputOutcome::Warn, "", ""},
        {0.5, 30, InputOutcome::Warn, "", ""},
        {std::nullopt, 30, InputOutcome::Restore, "", ""},
    };
    for (const auto& r : rows) {
        const GnomonVerdict v = CheckGnomonLength(r.length, r.angle);
        const double length = r.length.value_or(-1);
        EXPECT_EQ(v.outcome, r.outcome) << length;
        EXPECT_EQ(v.sides.hypotenuse, r.hypotenuse) << length;
        EXPECT_EQ(v.sides.opposite, r.opposite) << length;
    }
}

}  // namespace
}  // namespace sundial
