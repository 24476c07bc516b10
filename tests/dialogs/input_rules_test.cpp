#include "dialogs/input_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shell/site_state.h"

namespace sundial {
namespace {

// Stored coordinates are singles; comparing them with the typed decimal needs
// single-precision slack.
constexpr float kSingleTol = 1e-5f;

TEST(ZoneForLongitude, BandsAndTheirEastwardEdges) {
    struct Row {
        const char* name;
        float longitudeWest;
        int zone;
    };
    const Row rows[] = {
        {"greenwich", 0.0f, 0},
        {"7.5 west is still zone 0", 7.5f, 0},
        {"7.5 east starts zone 1", -7.5f, 1},
        {"just inside 7.5 east", -7.49f, 0},
        {"22.5 west edge belongs to zone -1", 22.5f, -1},
        {"22.5 east edge belongs to zone 2", -22.5f, 2},
        {"new york", 74.1f, -5},
        {"budapest", -19.1f, 1},
        {"172.5 west is zone -11", 172.5f, -11},
        {"172.5 east is zone 12", -172.5f, 12},
        {"175 west wraps to 12", 175.0f, 12},
        {"175 east is 12", -175.0f, 12},
        {"180 is 12", 180.0f, 12},
        {"-180 is 12", -180.0f, 12},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ZoneForLongitude(r.longitudeWest), r.zone) << r.name;
    }
}

TEST(ZoneForLongitude, NeverGivesMinusTwelve) {
    // The time-zone menu's UTC-12 is not reachable by typing a longitude.
    for (int tenth = -1800; tenth <= 1800; ++tenth) {
        const int zone = ZoneForLongitude(static_cast<float>(tenth) / 10.0f);
        ASSERT_GE(zone, -11) << tenth;
        ASSERT_LE(zone, 12) << tenth;
    }
}

TEST(CheckLatLong, RangesMessagesAndSign) {
    struct Row {
        const char* name;
        TypedNumber lat;
        TypedNumber lon;
        bool east;
        InputOutcome outcome;
        const char* message;
        float longitude;  // for Accept
        int zone;         // for Accept
    };
    const auto A = InputOutcome::Accept;
    const auto W = InputOutcome::Warn;
    const auto R = InputOutcome::Restore;
    const Row rows[] = {
        {"lat 15 accepted", 15.0, 3.5, false, A, nullptr, 3.5f, 0},
        {"lat 70 accepted", 70.0, 3.5, false, A, nullptr, 3.5f, 0},
        {"lat 14.99 rejected", 14.99, 3.5, false, W, kLatitudeMessage, 0, 0},
        {"lat 70.01 rejected", 70.01, 3.5, false, W, kLatitudeMessage, 0, 0},
        {"southern latitude rejected", -50.0, 3.5, false, W, kLatitudeMessage, 0, 0},
        {"lon 0 west", 50.0, 0.0, false, A, nullptr, 0.0f, 0},
        {"lon 0 east stays 0", 50.0, 0.0, true, A, nullptr, 0.0f, 0},
        {"lon 180 west accepted", 50.0, 180.0, false, A, nullptr, 180.0f, 12},
        {"lon 180.5 rejected", 50.0, 180.5, false, W, kLongitudeMessage, 0, 0},
        {"lon -5 rejected: side comes from the buttons", 50.0, -5.0, true, W, kLongitudeMessage, 0,
         0},
        {"east is negative", 47.5, 19.1, true, A, nullptr, -19.1f, 1},
        {"7.5 east gives zone 1", 50.0, 7.5, true, A, nullptr, -7.5f, 1},
        {"172.5 west gives -11", 50.0, 172.5, false, A, nullptr, 172.5f, -11},
        {"both bad: latitude message first", 80.0, 200.0, false, W, kLatitudeMessage, 0, 0},
        {"missing latitude", std::nullopt, 3.5, false, R, nullptr, 0, 0},
        {"missing longitude beats a bad latitude", 99.0, std::nullopt, false, R, nullptr, 0, 0},
        {"infinite latitude", std::numeric_limits<double>::infinity(), 3.5, false, R, nullptr, 0,
         0},
        {"nan longitude", 50.0, std::nan(""), false, R, nullptr, 0, 0},
        {"too big for a single", 50.0, 1e300, false, R, nullptr, 0, 0},
    };
    for (const Row& r : rows) {
        const LatLongVerdict v = CheckLatLong(r.lat, r.lon, r.east);
        EXPECT_EQ(v.outcome, r.outcome) << r.name;
        if (r.message) {
            ASSERT_NE(v.message, nullptr) << r.name;
            EXPECT_STREQ(v.message, r.message) << r.name;
        }
        if (r.outcome == A) {
            EXPECT_NEAR(v.latitude, static_cast<float>(*r.lat), kSingleTol) << r.name;
            EXPECT_NEAR(v.longitude, r.longitude, kSingleTol) << r.name;
            EXPECT_FALSE(std::signbit(v.longitude) && v.longitude == 0) << r.name << ": -0";
            EXPECT_EQ(v.zone, r.zone) << r.name;
        }
    }
}

TEST(CheckBearing, RangeAndStoredText) {
    struct Row {
        const char* name;
        TypedNumber bearing;
        InputOutcome outcome;
        const char* text;
    };
    const Row rows[] = {
        {"110", 110.0, InputOutcome::Accept, "110"},
        {"250", 250.0, InputOutcome::Accept, "250"},
        {"180", 180.0, InputOutcome::Accept, "180"},
        {"200.0 drops its zero", 200.0, InputOutcome::Accept, "200"},
        {"185.2 keeps its decimal", 185.2, InputOutcome::Accept, "185.2"},
        {"109.9", 109.9, InputOutcome::Warn, ""},
        {"250.1", 250.1, InputOutcome::Warn, ""},
        {"letters", std::nullopt, InputOutcome::Restore, ""},
        {"nan", std::nan(""), InputOutcome::Restore, ""},
    };
    for (const Row& r : rows) {
        const BearingVerdict v = CheckBearing(r.bearing);
        EXPECT_EQ(v.outcome, r.outcome) << r.name;
        EXPECT_EQ(v.bearingText, r.text) << r.name;
        if (r.outcome == InputOutcome::Warn) {
            EXPECT_STREQ(v.message, kBearingMessage) << r.name;
        }
    }
}

TEST(ApplyBearing, DerivesSideAndDeclination) {
    // Declination is a single derived from a double subtraction.
    constexpr float kDeclTol = 1e-4f;
    struct Row {
        const char* text;
        const char* side;
        float declination;
    };
    const Row rows[] = {
        {"110", "East", 70}, {"250", "West", 70}, {"180", "South", 0}, {"185.2", "West", 5.2f}};
    for (const Row& r : rows) {
        SiteState site;
        site.WallBearing = "999";
        site.DeclinationSide = "stale";
        ApplyBearing(site, r.text);
        EXPECT_EQ(site.WallBearing, r.text);
        EXPECT_EQ(site.DeclinationSide, r.side) << r.text;
        EXPECT_NEAR(site.WallDeclination, r.declination, kDeclTol) << r.text;
    }
}

TEST(TwoDecimalFormat, Pattern) {
    struct Row {
        const char* name;
        double value;
        const char* text;
    };
    const Row rows[] = {
        {"no zero before the point", 0.25, ".25"},
        {"point kept on whole numbers", 5.0, "5."},
        {"one decimal", 20.1, "20.1"},
        {"single 20.1 shows as typed", static_cast<double>(20.1f), "20.1"},
        {"rounded down", 5.7735, "5.77"},
        {"rounded up", 5.776, "5.78"},
        {"decimal half rounds up", 2.675, "2.68"},
        {"carry into the whole part", 9.996, "10."},
        {"carry past the point from below 1", 0.999, "1."},
        {"many digits before the point", 3863.70, "3863.7"},
        {"negative", -2.354, "-2.35"},
    };
    for (const Row& r : rows) EXPECT_EQ(TwoDecimalFormat(r.value), r.text) << r.name;
}

TEST(ForwardAngleLine, TruncatesToTenths) {
    struct Row {
        const char* name;
        float angle;
        const char* line;
    };
    const Row rows[] = {
        {"37.86 truncates", 37.86f, "   Forward angle is 37.8 degrees. "},
        {"38.3127", 38.3127f, "   Forward angle is 38.3 degrees. "},
        {"a stored 37.8 is not 37.7", 37.8f, "   Forward angle is 37.8 degrees. "},
        {"whole angle keeps the point", 45.0f, "   Forward angle is 45. degrees. "},
        {"just below a tenth", 6.79999f, "   Forward angle is 6.7 degrees. "},
    };
    for (const Row& r : rows) EXPECT_EQ(ForwardAngleLine(r.angle), r.line) << r.name;
}

TEST(CheckGnomonLength, SidesAndRange) {
    struct Row {
        const char* name;
        TypedNumber length;
        float angle;
        InputOutcome outcome;
        const char* hypotenuse;
        const char* opposite;
    };
    const auto A = InputOutcome::Accept;
    const Row rows[] = {
        {"45 degrees, 20.1: 28.426 truncated", 20.1, 45, A, "28.4", "20.1"},
        {"30 degrees, 10: 11.547 truncated, not rounded", 10.0, 30, A, "11.5", "5.77"},
        {"1 accepted", 1.0, 30, A, "1.1", ".58"},
        {"1000 accepted", 1000.0, 30, A, "1154.7", "577.35"},
        {"1000.5 rejected", 1000.5, 30, InputOutcome::Warn, "", ""},
        {"0.5 rejected", 0.5, 30, InputOutcome::Warn, "", ""},
        {"letters", std::nullopt, 30, InputOutcome::Restore, "", ""},
    };
    for (const Row& r : rows) {
        const GnomonVerdict v = CheckGnomonLength(r.length, r.angle);
        EXPECT_EQ(v.outcome, r.outcome) << r.name;
        EXPECT_EQ(v.sides.hypotenuse, r.hypotenuse) << r.name;
        EXPECT_EQ(v.sides.opposite, r.opposite) << r.name;
        if (r.outcome == InputOutcome::Warn) {
            EXPECT_STREQ(v.message, kGnomonLengthMessage) << r.name;
        }
    }
}

}  // namespace
}  // namespace sundial
