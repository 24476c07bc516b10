#include "core/sun/style_shadow.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "core/dial/dial_drawing.h"
#include "core/dial/geometry.h"
#include "core/dial/recording_surface.h"
#include "core/dial/run.h"

namespace sundial {
namespace {

SiteState Site(float latitude, float longitudeWest, const char* bearing, float zone) {
    SiteState site;
    site.PlaceName = "P";
    site.Latitude = latitude;
    site.Longitude = longitudeWest;
    site.WallBearing = bearing;
    site.UtcOffset = zone;
    DeriveDeclination(site);
    return site;
}

// The clock time, near clock hour `hour` on `date`, at which the sun's hour
// angle is the one the run gives that hour: the hour lines are drawn for the
// mean sun, so the true sun reaches them earlier or later by the equation of
// time.
ClockTime WhenTheSunIsOnHourLine(const SiteState& site, ClockTime date, int hour) {
    const double target = (hour - site.UtcOffset - 12.0) * 15.0 - site.Longitude;
    ClockTime clock = date;
    clock.hour = hour;
    for (int i = 0; i < 4; ++i) {
        const SolarResult sun = SunAt(site.Latitude, site.Longitude, clock, site.UtcOffset);
        EXPECT_TRUE(sun.position) << sun.error;
        clock = ShiftClock(clock, (target - sun.position->hourAngleDeg) / 15.0);
    }
    return clock;
}

struct HourRow {
    const char* name;
    SiteState site;
    int hour;
};

class ShadowOnHourLine : public ::testing::TestWithParam<HourRow> {};

// The physical shadow of the style meets the run's hour line when the sun's
// hour angle is that hour's: the two derivations agree on every side of south.
TEST_P(ShadowOnHourLine, MatchesTheRunsRawShadowAngle) {
    // The run holds its angles in single precision.
    constexpr double kSingleTol = 2e-3;  // degrees
    const HourRow& row = GetParam();
    const DialGeometry dial = ComputeDial(row.site);
    const ClockTime clock = WhenTheSunIsOnHourLine(row.site, {2026, 6, 21, 0, 0, 0}, row.hour);
    const SolarResult sun = SunAt(row.site.Latitude, row.site.Longitude, clock, row.site.UtcOffset);
    ASSERT_TRUE(sun.position);
    double bearing = 0;
    ASSERT_TRUE(ParseBearing(row.site.WallBearing, bearing));
    // The geometric sun: refraction lifts it off its hour circle.
    const StyleShadow shadow = StyleShadowFor(row.site.Latitude, bearing, sun.position->azimuthDeg,
                                              sun.position->altitudeDeg);
    ASSERT_EQ(shadow.state, ShadowState::OnWall) << ClockTimeText(clock);
    EXPECT_NEAR(shadow.angleDeg, dial.RawShadowAngle[row.hour], kSingleTol)
        << "at " << ClockTimeText(clock);
}

INSTANTIATE_TEST_SUITE_P(
    Walls, ShadowOnHourLine,
    ::testing::Values(HourRow{"LondonWestMorning", Site(51.5f, 0.12f, "185.2", 0), 9},
                      HourRow{"LondonWestNoon", Site(51.5f, 0.12f, "185.2", 0), 12},
                      HourRow{"LondonWestAfternoon", Site(51.5f, 0.12f, "185.2", 0), 16},
                      HourRow{"SummerTimeZone", Site(51.5f, 0.12f, "185.2", 1), 14},
                      HourRow{"StronglyWest", Site(51.5f, 0.12f, "250", 0), 17},
                      HourRow{"StronglyEast", Site(51.5f, 0.12f, "110", 0), 7},
                      HourRow{"EastOfGreenwich", Site(48.85f, -2.35f, "160", 1), 11},
                      HourRow{"DueSouth", Site(40.7f, 74.0f, "180", -5), 13},
                      HourRow{"LowLatitude", Site(15.0f, 61.0f, "200", -4), 15},
                      HourRow{"HighLatitude", Site(70.0f, -25.0f, "230", 1), 18}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StyleShadowFor, SaysWhenThereIsNoShadow) {
    struct Row {
        const char* name;
        double bearing;
        double azimuth;
        double altitude;
        ShadowState state;
    };
    const std::vector<Row> rows = {
        {"sun-below-horizon", 180, 180, -0.5, ShadowState::SunDown},
        {"sun-on-horizon", 180, 120, 0, ShadowState::SunDown},
        {"sun-behind-south-wall", 180, 10, 30, ShadowState::WallInShade},
        {"sun-in-the-walls-plane", 180, 90, 30, ShadowState::WallInShade},
        {"east-wall-style-in-plane", 90, 100, 30, ShadowState::NoRoot},
        {"sun-just-in-front", 180, 90.01, 30, ShadowState::OnWall},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(StyleShadowFor(51.5, row.bearing, row.azimuth, row.altitude).state, row.state)
            << row.name;
    }
}

TEST(StyleShadowFor, MorningShadowLeansLeftOnASouthWall) {
    // Facing a south wall the morning sun is behind one's right shoulder
    // (east), so the shadow falls to the left (west).
    const StyleShadow morning = StyleShadowFor(51.5, 180, 120, 30);
    const StyleShadow afternoon = StyleShadowFor(51.5, 180, 240, 30);
    ASSERT_EQ(morning.state, ShadowState::OnWall);
    EXPECT_GT(morning.angleDeg, 0);
    EXPECT_DOUBLE_EQ(afternoon.angleDeg, -morning.angleDeg);
    // Due south the shadow hangs straight down.
    EXPECT_NEAR(StyleShadowFor(51.5, 180, 180, 40).angleDeg, 0.0, 1e-12);
}

TEST(ShadowAt, ExplainsAShadedWallAndANightSky) {
    const SiteState london = Site(51.5f, 0.12f, "185.2", 1);
    struct Row {
        const char* name;
        ClockTime clock;
        ShadowState state;
        const char* words;
    };
    const std::vector<Row> rows = {
        {"lit", {2026, 6, 21, 13, 0, 0}, ShadowState::OnWall, ""},
        {"midsummer-dawn-behind",
         {2026, 6, 21, 5, 30, 0},
         ShadowState::WallInShade,
         "The wall is in shade then"},
        {"night", {2026, 12, 21, 22, 0, 0}, ShadowState::SunDown, "below the horizon"},
    };
    for (const Row& row : rows) {
        const ShadowAtResult r = ShadowAt(london, row.clock, 1);
        EXPECT_EQ(r.error, "") << row.name;
        EXPECT_EQ(r.shadow.state, row.state) << row.name;
        EXPECT_NE(r.message.find(row.words), std::string::npos) << row.name << ": " << r.message;
    }
    SiteState nonsense = london;
    nonsense.WallBearing = "south";
    EXPECT_NE(ShadowAt(nonsense, {2026, 6, 21, 13, 0, 0}, 1).error, "");
    EXPECT_NE(ShadowAt(london, {2026, 6, 31, 13, 0, 0}, 1).error, "");
}

TEST(DrawShadowLine, EndsWhereAnHourLineAtTheSameAngleEnds) {
    // The worked drawing example: W 6000, Ht 5000, an angle of 20 ends at
    // x = 3000 - 3900 tan 20, y = 4100; 60 is cut at the left limit.
    constexpr double kTwipTol = 0.1;
    struct Row {
        const char* name;
        double angle;
        double x;
        double y;
    };
    for (const Row& row : {Row{"unclipped", 20, 1580.5, 4100}, Row{"cut-left", 60, 700, 1527.9},
                           Row{"straight-down", 0, 3000, 4100}}) {
        RecordingSurface s(6000, 5000);
        DrawShadowLine(s, row.angle);
        const auto lines = s.Lines();
        ASSERT_EQ(lines.size(), 1u) << row.name;
        EXPECT_EQ(lines[0].x1, 3000) << row.name;
        EXPECT_EQ(lines[0].y1, 200) << row.name;
        EXPECT_NEAR(lines[0].x2, row.x, kTwipTol) << row.name;
        EXPECT_NEAR(lines[0].y2, row.y, kTwipTol) << row.name;
        EXPECT_EQ(lines[0].colour, kShadowNowColour) << row.name;
        EXPECT_EQ(lines[0].width, 2) << row.name;
        // Whatever is drawn next is drawn as before.
        s.Line(0, 0, 1, 1);
        EXPECT_EQ(s.Lines().back().colour, std::nullopt) << row.name;
        EXPECT_EQ(s.Lines().back().width, 1) << row.name;
    }
    RecordingSurface small(2300, 5000);
    DrawShadowLine(small, 20);
    EXPECT_TRUE(small.Ops().empty());
}

TEST(DrawShadowNow, LiesOnTheRunsHourLineWhenTheSunIsOnIt) {
    // Refraction lifts the sun by a minute of arc at this height, which moves
    // the end of the line by a twip or two.
    constexpr double kRefractionTwips = 5;
    const SiteState site = Site(51.5f, 0.12f, "200", 1);
    RecordingSurface draw(6000, 5000), number(6000, 5000), chart(6000, 5000);
    DialGeometry dial;
    const RunTargets targets{draw, number, chart, [&] { DrawCascadeFurniture(draw, chart); }};
    ASSERT_EQ(RunDial(site, {}, targets, dial).status, RunStatus::Completed);
    const DialRoot root{3000, 200};
    const HourLineEnd tenOClock = HourLineEndFor(draw, root, dial.RawShadowAngle[10]);

    const ClockTime local = WhenTheSunIsOnHourLine(site, {2026, 4, 15, 0, 0, 0}, 10);
    const size_t before = draw.Lines().size();
    const ShadowAtResult now = DrawShadowNow(draw, site, ShiftClock(local, -1));
    ASSERT_EQ(now.shadow.state, ShadowState::OnWall) << now.message << now.error;
    const auto lines = draw.Lines();
    ASSERT_EQ(lines.size(), before + 1);
    EXPECT_NEAR(lines.back().x2, tenOClock.x, kRefractionTwips);
    EXPECT_NEAR(lines.back().y2, tenOClock.y, kRefractionTwips);
    EXPECT_EQ(lines.back().colour, kShadowNowColour);

    // At night no line is drawn; a printed line says why.
    const ShadowAtResult night = DrawShadowNow(draw, site, {2026, 4, 15, 23, 0, 0});
    EXPECT_EQ(night.shadow.state, ShadowState::SunDown);
    EXPECT_EQ(draw.Lines().size(), before + 1);
    const auto ops = draw.OpsSinceClear();
    const auto* said = std::get_if<RecordingSurface::PrintOp>(&ops.back());
    ASSERT_NE(said, nullptr);
    EXPECT_EQ(said->items.at(0).text.rfind("No shadow now: the sun is below the horizon", 0), 0u)
        << said->items.at(0).text;
}

}  // namespace
}  // namespace sundial
