#include "core/rules/input_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

constexpr auto kAccept = InputOutcome::Accept;
constexpr auto kWarn = InputOutcome::Warn;
constexpr auto kRestore = InputOutcome::Restore;
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ZoneRow {
    const char* name;
    float longitudeWest;
    int zone;
};

class ZoneForLongitudeTest : public ::testing::TestWithParam<ZoneRow> {};

TEST_P(ZoneForLongitudeTest, BandsBelongToTheirEasternEdge) {
    EXPECT_EQ(ZoneForLongitude(GetParam().longitudeWest), GetParam().zone);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, ZoneForLongitudeTest,
    ::testing::Values(ZoneRow{"7.5 W", 7.5f, 0}, ZoneRow{"7.5 E", -7.5f, 1},
                      ZoneRow{"22.5 W", 22.5f, -1}, ZoneRow{"175 W", 175.0f, 12},
                      ZoneRow{"175 E", -175.0f, 12}, ZoneRow{"172.5 W", 172.5f, -11},
                      ZoneRow{"172.5 E", -172.5f, 12}, ZoneRow{"180 W", 180.0f, 12},
                      ZoneRow{"New York", 74.1f, -5}),
    RowName());

// UTC-12 is never reached by typing a longitude.
TEST(ZoneForLongitude, EveryTypedLongitudeGivesMinus11To12) {
    for (int tenth = -1800; tenth <= 1800; ++tenth) {
        const int zone = ZoneForLongitude(static_cast<float>(tenth) / 10.0f);
        ASSERT_TRUE(zone >= -11 && zone <= 12) << tenth;
    }
}

struct LatLongRow {
    const char* name;
    TypedNumber lat, lon;
    bool east;
    InputOutcome outcome;
    const char* message;
    float longitude;  // for Accept
    int zone;         // for Accept
};

class CheckLatLongTest : public ::testing::TestWithParam<LatLongRow> {};

TEST_P(CheckLatLongTest, RangesAndSide) {
    const LatLongRow& r = GetParam();
    const LatLongVerdict v = CheckLatLong(r.lat, r.lon, r.east);
    EXPECT_EQ(v.outcome, r.outcome);
    if (r.message) {
        EXPECT_STREQ(v.message, r.message);
    }
    if (r.outcome != kAccept) return;
    // The rule narrows each typed double once, as the expected literals are:
    // the singles compare exactly.
    EXPECT_EQ(v.latitude, static_cast<float>(*r.lat));
    EXPECT_EQ(v.longitude, r.longitude);
    // 0 == -0, so the sign is checked on its own: -0 would reopen as "East".
    EXPECT_EQ(std::signbit(v.longitude), std::signbit(r.longitude));
    EXPECT_EQ(v.zone, r.zone);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckLatLongTest,
    ::testing::Values(
        LatLongRow{"lat 15", 15.0, 3.5, false, kAccept, nullptr, 3.5f, 0},
        LatLongRow{"lat 70", 70.0, 3.5, false, kAccept, nullptr, 3.5f, 0},
        LatLongRow{"lat 14.99", 14.99, 3.5, false, kWarn, kLatitudeMessage, 0, 0},
        LatLongRow{"lat 70.01", 70.01, 3.5, false, kWarn, kLatitudeMessage, 0, 0},
        LatLongRow{"lon 0 east is not -0", 50.0, 0.0, true, kAccept, nullptr, 0.0f, 0},
        LatLongRow{"lon 180", 50.0, 180.0, false, kAccept, nullptr, 180.0f, 12},
        LatLongRow{"lon 180.5", 50.0, 180.5, false, kWarn, kLongitudeMessage, 0, 0},
        LatLongRow{"lon -5 sign only from the buttons", 50.0, -5.0, true, kWarn, kLongitudeMessage,
                   0, 0},
        LatLongRow{"east is negative", 47.5, 19.1, true, kAccept, nullptr, -19.1f, 1},
        LatLongRow{"latitude checked first", 80.0, 200.0, false, kWarn, kLatitudeMessage, 0, 0},
        LatLongRow{"missing beats out of range", 99.0, std::nullopt, false, kRestore, nullptr, 0,
                   0},
        LatLongRow{"infinite", kInf, 3.5, false, kRestore, nullptr, 0, 0},
        LatLongRow{"nan", 50.0, std::nan(""), false, kRestore, nullptr, 0, 0},
        LatLongRow{"too big for a single", 50.0, 1e300, false, kRestore, nullptr, 0, 0}),
    RowName());

struct SingleRow {
    const char* name;
    TypedNumber typed;
    bool usable;
};

class UsableSingleTest : public ::testing::TestWithParam<SingleRow> {};

TEST_P(UsableSingleTest, OnlyWhatASingleHolds) {
    EXPECT_EQ(UsableSingle(GetParam().typed).has_value(), GetParam().usable);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UsableSingleTest,
    ::testing::Values(SingleRow{"missing", std::nullopt, false},
                      SingleRow{"largest single", std::numeric_limits<float>::max(), true},
                      SingleRow{"beyond any single", 1e39, false},
                      SingleRow{"minus beyond any single", -1e39, false},
                      SingleRow{"infinite", -kInf, false}, SingleRow{"nan", std::nan(""), false}),
    RowName());

struct BearingRow {
    const char* name;
    TypedNumber typed;
    InputOutcome outcome;
    const char* text;
};

class CheckBearingTest : public ::testing::TestWithParam<BearingRow> {};

TEST_P(CheckBearingTest, RangeAndShortestText) {
    const BearingVerdict v = CheckBearing(GetParam().typed);
    EXPECT_EQ(v.outcome, GetParam().outcome);
    EXPECT_EQ(v.bearingText, GetParam().text);
    if (GetParam().outcome == kWarn) {
        EXPECT_STREQ(v.message, kBearingMessage);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckBearingTest,
                         ::testing::Values(BearingRow{"110", 110.0, kAccept, "110"},
                                           BearingRow{"250", 250.0, kAccept, "250"},
                                           BearingRow{"200 without point", 200.0, kAccept, "200"},
                                           BearingRow{"185.2", 185.2, kAccept, "185.2"},
                                           BearingRow{"109.9", 109.9, kWarn, ""},
                                           BearingRow{"250.1", 250.1, kWarn, ""},
                                           BearingRow{"nan", std::nan(""), kRestore, ""},
                                           BearingRow{"missing", std::nullopt, kRestore, ""}),
                         RowName());

struct FormatRow {
    const char* name;
    double value;
    const char* text;
};

class TwoDecimalFormatTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(TwoDecimalFormatTest, Pattern) {
    EXPECT_EQ(TwoDecimalFormat(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, TwoDecimalFormatTest,
                         ::testing::Values(FormatRow{"no zero before the point", 0.25, ".25"},
                                           FormatRow{"whole keeps its point", 5.0, "5."},
                                           FormatRow{"tenths", 20.1, "20.1"},
                                           FormatRow{"tenths of a single", double(20.1f), "20.1"},
                                           FormatRow{"rounds to nearest", 5.7735, "5.77"},
                                           FormatRow{"half up as written", 2.675, "2.68"},
                                           FormatRow{"carry into the whole", 9.996, "10."},
                                           FormatRow{"carry from below one", 0.999, "1."},
                                           FormatRow{"thousands", 3863.7, "3863.7"},
                                           FormatRow{"negative", -2.354, "-2.35"}),
                         RowName());

struct ForwardRow {
    const char* name;
    float angle;
    const char* shown;
};

class ForwardAngleLineTest : public ::testing::TestWithParam<ForwardRow> {};

TEST_P(ForwardAngleLineTest, RoundsDownToTenthsOfTheSingle) {
    EXPECT_EQ(ForwardAngleLine(GetParam().angle),
              std::string("   Forward angle is ") + GetParam().shown + " degrees. ");
}

INSTANTIATE_TEST_SUITE_P(Rows, ForwardAngleLineTest,
                         ::testing::Values(ForwardRow{"37.86", 37.86f, "37.8"},
                                           ForwardRow{"first example", 38.3127f, "38.3"},
                                           ForwardRow{"a tenth just below in binary", 37.8f,
                                                      "37.8"},
                                           ForwardRow{"whole", 45.0f, "45."},
                                           ForwardRow{"just under a tenth", 6.79999f, "6.7"}),
                         RowName());

struct GnomonRow {
    const char* name;
    TypedNumber length;
    float angle;
    InputOutcome outcome;
    const char* hypotenuse;
    const char* opposite;
};

class CheckGnomonLengthTest : public ::testing::TestWithParam<GnomonRow> {};

TEST_P(CheckGnomonLengthTest, SidesAndRange) {
    const GnomonRow& r = GetParam();
    const GnomonVerdict v = CheckGnomonLength(r.length, r.angle);
    EXPECT_EQ(v.outcome, r.outcome);
    EXPECT_EQ(v.sides.hypotenuse, r.hypotenuse);
    EXPECT_EQ(v.sides.opposite, r.opposite);
    if (r.outcome == kWarn) {
        EXPECT_STREQ(v.message, kGnomonLengthMessage);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckGnomonLengthTest,
    ::testing::Values(
        GnomonRow{"45 degrees, 28.426 rounded down", 20.1, 45, kAccept, "28.4", "20.1"},
        GnomonRow{"11.547 rounded down not to nearest", 10.0, 30, kAccept, "11.5", "5.77"},
        GnomonRow{"no zero before the point", 1.0, 30, kAccept, "1.1", ".58"},
        GnomonRow{"longest", 1000.0, 30, kAccept, "1154.7", "577.35"},
        GnomonRow{"too long", 1000.5, 30, kWarn, "", ""},
        GnomonRow{"too short", 0.5, 30, kWarn, "", ""},
        GnomonRow{"missing", std::nullopt, 30, kRestore, "", ""}),
    RowName());

}  // namespace
}  // namespace sundial
