#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cli/cli_app.h"
#include "cli/output_text.h"
#include "core/sun/solar_position.h"
#include "tests/cli/cli_test_support.h"

namespace sundial {
namespace {

using sundial::testing::operator+;
using sundial::testing::Contains;
using sundial::testing::Outcome;
using sundial::testing::RunCommand;
using sundial::testing::StartsWith;

Outcome Cli(std::vector<std::string> args) {
    return RunCommand(std::move(args), "sundial-cli");
}

// JSON carries six decimals of a degree.
constexpr double kJsonTol = 1e-6;

double Azimuth(double lat, double lonWest, const ClockTime& clock, double zone) {
    return SunAt(lat, lonWest, clock, zone).position.value().azimuthDeg;
}

TEST(SunCommand, GivesTheCoresPositionForTheSiteAndZone) {
    const Outcome o = Cli({"sun", "--lat", "51.5", "--lon", "0.12", "--west", "--utc", "1", "--at",
                           "2026-06-21T13:00:00", "--json"});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    const nlohmann::json json = o.json();
    const SolarPosition p = SunAt(51.5f, 0.12f, {2026, 6, 21, 12, 0, 0}, 0).position.value();
    EXPECT_NEAR(json["azimuth"].get<double>(), p.azimuthDeg, kJsonTol);
    EXPECT_NEAR(json["altitude"].get<double>(), p.altitudeDeg, kJsonTol);
    EXPECT_NEAR(json["apparentAltitude"].get<double>(), p.apparentAltitudeDeg, kJsonTol);
    EXPECT_NEAR(json["declination"].get<double>(), p.declinationDeg, kJsonTol);
    EXPECT_NEAR(json["equationOfTime"].get<double>(), p.equationOfTimeMin, 1e-4);
    EXPECT_EQ(json.size(), 5);

    const Outcome text = Cli({"sun", "--place", "Exeter", "--at", "2026-06-21T12:00"});
    EXPECT_EQ(text.status, kCliOk);
    EXPECT_TRUE(Contains(text.out, "Azimuth:")) << text.out;
    EXPECT_TRUE(Contains(text.out, "Equation of time:"));
}

TEST(BearingCommand, KeepsTheReadingsInTheOrderGivenAndGivesTheirMean) {
    // Exeter in summer time; two shadow readings made from the true sun for a
    // wall facing 193, with a grazing reading between them.
    const ClockTime first{2026, 6, 21, 10, 15, 0}, second{2026, 6, 21, 14, 40, 0};
    const double a1 = Azimuth(50.7f, 3.5f, first, 1) - 193.0;
    const double a2 = Azimuth(50.7f, 3.5f, second, 1) - 193.0;
    const Outcome o =
        Cli({"bearing", "--place", "Exeter", "--utc", "1", "--shadow",
             "2026-06-21T10:15:00@" + FixedText(a1, 9), "--leaves", "2026-06-21T20:30:00",
             "--shadow", "2026-06-21T14:40:00@" + FixedText(a2, 9), "--json"});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    const nlohmann::json json = o.json();
    const nlohmann::json readings = json["readings"];
    ASSERT_EQ(readings.size(), 3);
    const char* methods[] = {"shadow", "leaves", "shadow"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(readings[i]["method"].get<std::string>(), methods[i]) << i;
    }
    EXPECT_EQ(readings[1]["at"].get<std::string>(), "2026-06-21T20:30:00");
    EXPECT_NEAR(readings[0]["bearing"].get<double>(), 193.0, kJsonTol);
    EXPECT_NEAR(readings[2]["bearing"].get<double>(), 193.0, kJsonTol);
    // The sun leaves the face 90 degrees clockwise of the wall's bearing.
    const nlohmann::json leaves = readings[1];
    EXPECT_NEAR(leaves["bearing"].get<double>(), leaves["sunAzimuth"].get<double>() - 90, kJsonTol);
    double sum = 0;
    for (const auto& r : readings) sum += r["bearing"].get<double>();
    EXPECT_NEAR(json["bearing"].get<double>(), sum / 3, kJsonTol);
    EXPECT_GT(json["spread"].get<double>(), 0);
}

TEST(BearingCommand, WarnsAndExplainsWithoutFailing) {
    struct Row {
        const char* name;
        std::vector<std::string> readings;
        const char* err;  // part of what stderr says
        bool spread;      // whether JSON carries a spread
    };
    const ClockTime morning{2026, 6, 21, 10, 0, 0};
    const double az = Azimuth(50.7f, 3.5f, morning, 1);
    auto shadow = [&](double bearing) {
        return "2026-06-21T10:00:00@" + FixedText(az - bearing, 6);
    };
    const std::vector<Row> rows = {
        {"single", {"--shadow", shadow(185)}, "", false},
        {"spread",
         {"--shadow", shadow(185), "--shadow", shadow(186), "--shadow", shadow(189)},
         "warning: The readings spread by 2.08 degrees; reading 3 (shadow at",
         true},
        {"east-wall", {"--shadow", shadow(95)}, "faces 95.00 degrees, towards the east;", false},
    };
    for (const Row& row : rows) {
        const Outcome o =
            Cli(std::vector<std::string>{"bearing", "--place", "Exeter", "--utc", "1", "--json"} +
                row.readings);
        EXPECT_EQ(o.status, kCliOk) << row.name << o.err;
        EXPECT_TRUE(Contains(o.err, row.err)) << row.name << ": " << o.err;
        if (*row.err == 0) {
            EXPECT_TRUE(o.err.empty()) << row.name;
        }
        EXPECT_EQ(o.json()["spread"].is_null(), !row.spread) << row.name;
    }
}

// The style's shadow, when the sun is on a clock hour's line, lies on the line
// the report gives that hour: the same angle, with the same sign, and the
// side in words agrees with it.
TEST(ShadowCommand, FallsOnTheReportsHourLineWhenTheSunIsOnIt) {
    // Refraction lifts the sun off its hour circle by up to a minute of arc.
    constexpr double kRefractionTol = 0.05;  // degrees
    const std::vector<std::string> site = {"--lat",     "51.5", "--lon", "0.12", "--west",
                                           "--bearing", "200",  "--utc", "1"};
    const Outcome report = Cli(std::vector<std::string>{"report", "--json"} + site);
    const nlohmann::json reportJson = report.json();
    double reported = 0;
    for (const nlohmann::json& row : reportJson["hours"]) {
        if (row["hour"] == 15) reported = row["angle"].get<double>();
    }
    ASSERT_GT(reported, 0);  // afternoon: to the right

    // The instant, near 15:00, when the sun's hour angle is the one the run
    // gives 15:00: (15 - 1 - 12) * 15 - 0.12.
    ClockTime clock{2026, 5, 10, 15, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const double ha = SunAt(51.5f, 0.12f, clock, 1).position.value().hourAngleDeg;
        clock = ShiftClock(clock, ((15 - 1 - 12) * 15 - 0.12f - ha) / 15.0);
    }
    const Outcome o =
        Cli(std::vector<std::string>{"shadow", "--at", ClockTimeText(clock), "--json"} + site);
    ASSERT_EQ(o.status, kCliOk) << o.err;
    EXPECT_NEAR(o.json()["shadowAngle"].get<double>(), reported, kRefractionTol);
    EXPECT_EQ(o.json()["side"], "right");

    const Outcome morning =
        Cli(std::vector<std::string>{"shadow", "--at", "2026-05-10T11:00:00", "--json"} + site);
    const Outcome text =
        Cli(std::vector<std::string>{"shadow", "--at", "2026-05-10T11:00:00"} + site);
    ASSERT_LT(morning.json()["shadowAngle"].get<double>(), 0);
    EXPECT_EQ(text.out,
              "Shadow angle: " + FixedText(morning.json()["shadowAngle"].get<double>(), 2) +
                  " degrees from the vertical, to the left of the root\n");
}

TEST(ShadowCommand, SaysWhenThereIsNoShadow) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<Row> rows = {
        {"night", {"--place", "Exeter", "--at", "2026-12-21T21:00:00"}, "below the horizon"},
        {"wall-in-shade",
         {"--place", "Exeter", "--bearing", "250", "--at", "2026-06-21T07:00:00"},
         "The wall is in shade then"},
    };
    for (const Row& row : rows) {
        const Outcome o = Cli(std::vector<std::string>{"shadow"} + row.args);
        EXPECT_EQ(o.status, kCliRunFailed) << row.name;
        EXPECT_TRUE(o.out.empty()) << row.name;
        EXPECT_TRUE(Contains(o.err, row.message)) << row.name << ": " << o.err;
    }
}

TEST(SunCommands, BadInputNamesWhatIsWrongAndExitsWithTwo) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<std::string> exeter = {"--place", "Exeter"};
    const std::vector<Row> rows = {
        {"sun-without-time", std::vector<std::string>{"sun"} + exeter, "--at is required"},
        {"sun-time-word", std::vector<std::string>{"sun", "--at", "noon"} + exeter,
         "\"noon\" is not a date"},
        {"sun-no-such-day", std::vector<std::string>{"sun", "--at", "2026-02-30T12:00"} + exeter,
         "no date 2026-02-30"},
        {"sun-hour-25", std::vector<std::string>{"sun", "--at", "2026-06-21T25:00"} + exeter,
         "no time of day 25:00"},
        {"sun-before-1900", std::vector<std::string>{"sun", "--at", "1899-06-01T12:00"} + exeter,
         "1900 to 2100"},
        {"sun-time-twice",
         std::vector<std::string>{"sun", "--at", "2026-06-21T12:00", "--at", "2026-06-21T13:00"} +
             exeter,
         "more than once"},
        {"bearing-no-readings", std::vector<std::string>{"bearing"} + exeter, "at least one"},
        {"bearing-given",
         std::vector<std::string>{"bearing", "--bearing", "180", "--enters", "2026-06-21T08:00"},
         "--bearing does not go"},
        {"shadow-without-angle",
         std::vector<std::string>{"bearing", "--shadow", "2026-06-21T10:00"} + exeter,
         "Reading 1 (--shadow 2026-06-21T10:00): give the time and the angle"},
        {"shadow-angle-word",
         std::vector<std::string>{"bearing", "--shadow", "2026-06-21T10:00@left"} + exeter,
         "\"left\" is not an angle"},
        {"shadow-behind-wall",
         std::vector<std::string>{"bearing", "--shadow", "2026-06-21T10:00@95"} + exeter,
         "Reading 1 (shadow at 2026-06-21T10:00:00): the shadow's angle must lie between"},
        {"second-reading-at-night",
         std::vector<std::string>{"bearing", "--enters", "2026-06-21T06:00", "--leaves",
                                  "2026-06-21T23:30"} +
             exeter,
         "Reading 2 (leaves at 2026-06-21T23:30:00): the sun is below the horizon"},
        {"reading-bad-date",
         std::vector<std::string>{"bearing", "--enters", "2026-13-01T08:00"} + exeter,
         "--enters 2026-13-01T08:00: there is no date"},
        {"shadow-command-without-time", std::vector<std::string>{"shadow"} + exeter,
         "--at is required"},
        {"shadow-command-after-2100",
         std::vector<std::string>{"shadow", "--at", "2101-01-01T12:00"} + exeter, "1900 to 2100"},
    };
    for (const Row& row : rows) {
        const Outcome o = Cli(row.args);
        EXPECT_EQ(o.status, kCliBadInput) << row.name;
        EXPECT_TRUE(o.out.empty()) << row.name;
        EXPECT_TRUE(Contains(o.err, row.message)) << row.name << ": " << o.err;
    }
}

}  // namespace
}  // namespace sundial
