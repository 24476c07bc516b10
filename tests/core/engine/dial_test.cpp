// The engine against the tests' own sky: the sun found by turning the
// equator's top point about the earth's axis, the plane from turning a
// south wall about the vertical and then about its own horizontal line, and
// the shadow traced from the nodus along the sun's direction.
#include "core/engine/dial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace sundial::engine {
namespace {

constexpr double kMmTol = 1e-6;  // double arithmetic on plates of a few metres

struct Sky {
    Vec3 pole, equatorTop, west{-1, 0, 0};
    explicit Sky(double latDeg) {
        const double p = Rad(latDeg);
        pole = {0, std::cos(p), std::sin(p)};
        equatorTop = {0, -std::sin(p), std::cos(p)};
    }
    Vec3 Sun(double decDeg, double haDeg) const {
        const double d = Rad(decDeg), h = Rad(haDeg);
        return std::sin(d) * pole + std::cos(d) * (std::cos(h) * equatorTop + std::sin(h) * west);
    }
};

// Rodrigues' rotation of v about the unit axis k by a degrees.
Vec3 Turn(Vec3 v, Vec3 k, double aDeg) {
    const double a = Rad(aDeg);
    return std::cos(a) * v + std::sin(a) * Cross(k, v) + (1 - std::cos(a)) * Dot(k, v) * k;
}

struct TracedPlate {
    Vec3 out, right, down;
    TracedPlate(double bearingDeg, double reclineDeg) {
        // A wall looking north turned clockwise (seen from above) to the bearing,
        // then tilted back about its own horizontal line by the recline.
        const Vec3 up{0, 0, 1};
        const Vec3 wallOut = Turn({0, 1, 0}, up, -bearingDeg);
        const Vec3 axis = Cross(wallOut, up);  // horizontal, along the wall
        out = Turn(wallOut, axis, reclineDeg);
        down = Turn({0, 0, -1}, axis, reclineDeg);
        right = Cross(out, down);
    }
};

struct RandomDial {
    Site site;
    Plane plane;
    Gnomon gnomon;
};

RandomDial MakeRandom(std::mt19937& rng) {
    std::uniform_real_distribution<double> lat(-89, 89), lon(-180, 180), zone(-12, 14),
        bearing(0, 360), recline(-90, 90), pos(-500, 1500), height(5, 400);
    return {{lat(rng), lon(rng), zone(rng)},
            {bearing(rng), recline(rng)},
            {{pos(rng), pos(rng)}, height(rng)}};
}

TEST(DialEngine, ShadowIsTheTracedShadowOfTheNodus) {
    std::mt19937 rng(15);
    std::uniform_real_distribution<double> dec(-23.44, 23.44), ha(-180, 180);
    int lit = 0;
    for (int i = 0; i < 4000; ++i) {
        const RandomDial r = MakeRandom(rng);
        const Dial dial(r.site, r.plane, r.gnomon);
        const TracedPlate plate(r.plane.bearingDeg, r.plane.reclineDeg);
        const Vec3 nodus = r.gnomon.foot.x * plate.right + r.gnomon.foot.y * plate.down +
                           r.gnomon.heightMm * plate.out;
        const double d = dec(rng), h = ha(rng);
        const Vec3 sun = Sky(r.site.latitudeDeg).Sun(d, h);
        const auto shadow = dial.Shadow(d, h);
        const bool shines = sun.z > 0 && Dot(sun, plate.out) > 0;
        ASSERT_EQ(shadow.has_value(), shines) << "dial " << i;
        if (!shines) continue;
        ++lit;
        // Walk from the nodus toward the sun's opposite until the plane.
        const Vec3 hit = nodus - (Dot(nodus, plate.out) / Dot(sun, plate.out)) * sun;
        EXPECT_NEAR(shadow->x, Dot(hit, plate.right), kMmTol) << "dial " << i;
        EXPECT_NEAR(shadow->y, Dot(hit, plate.down), kMmTol) << "dial " << i;
    }
    EXPECT_GT(lit, 1000);
}

TEST(DialEngine, TracedShadowsLieOnTheirHourLine) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> dec(-23.44, 23.44), ha(-180, 180);
    int checked = 0;
    for (int i = 0; i < 4000; ++i) {
        RandomDial r = MakeRandom(rng);
        if (i % 4 == 0) r.plane = PolarPlane(r.site);  // the root at infinity too
        const Dial dial(r.site, r.plane, r.gnomon);
        const double h = ha(rng);
        const auto line = dial.HourLine(h);
        for (int k = 0; k < 5; ++k) {
            const auto shadow = dial.Shadow(dec(rng), h);
            if (!shadow) continue;
            ASSERT_TRUE(line) << "dial " << i;
            const double dx = shadow->x - line->through.x, dy = shadow->y - line->through.y;
            const double off = dx * line->direction.y - dy * line->direction.x;
            const double along = dx * line->direction.x + dy * line->direction.y;
            const double scale = std::max(1.0, std::hypot(dx, dy) * 1e-9);
            EXPECT_NEAR(off, 0, kMmTol * scale) << "dial " << i;
            if (!line->parallel) {
                EXPECT_GT(along, 0) << "dial " << i << ": shadow behind the root";
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 2000);
}

TEST(DialEngine, LitDeclinationsMatchASweepOfTheYear) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> ha(-180, 180);
    for (int i = 0; i < 600; ++i) {
        const RandomDial r = MakeRandom(rng);
        const Dial dial(r.site, r.plane, r.gnomon);
        const double h = ha(rng);
        double low = 99, high = -99;
        for (double d = -23.44; d <= 23.44; d += 0.01) {
            if (dial.Lights(Sky(r.site.latitudeDeg).Sun(d, h))) {
                low = std::min(low, d);
                high = std::max(high, d);
            }
        }
        const auto range = dial.LitDeclinations(h);
        // A sweep step of 0.01 degrees; a sliver narrower than that may be missed.
        constexpr double kSweepTol = 0.011;
        if (low > high) {
            EXPECT_TRUE(!range || range->highDeg - range->lowDeg < kSweepTol) << "dial " << i;
            continue;
        }
        ASSERT_TRUE(range) << "dial " << i;
        EXPECT_NEAR(range->lowDeg, low, kSweepTol) << "dial " << i;
        EXPECT_NEAR(range->highDeg, high, kSweepTol) << "dial " << i;
    }
}

struct GnomonRow {
    const char* name;
    double lat;
    Plane plane;
    bool rootAtInfinity;
    double styleHeightDeg;
};

TEST(DialEngine, PresetsAndGnomonPlacements) {
    const GnomonRow rows[] = {
        {"horizontal 51.5 N", 51.5, HorizontalPlane(), false, 51.5},
        {"horizontal 33.87 S", -33.87, HorizontalPlane(), false, 33.87},
        {"south wall 40 N", 40, VerticalPlane(180), false, 50},
        {"north wall 30 S", -30, VerticalPlane(0), false, 60},
        {"east wall 52 N", 52, EastWall(), true, 0},
        {"west wall 10 S", -10, WestWall(), true, 0},
        {"polar 52 N", 52, PolarPlane({52, 0, 0}), true, 0},
        {"polar 35 S", -35, PolarPlane({-35, 0, 0}), true, 0},
        {"equatorial 52 N", 52, EquatorialPlane({52, 0, 0}), false, 90},
        {"equatorial 35 S", -35, EquatorialPlane({-35, 0, 0}), false, 90},
    };
    constexpr double kAngleTol = 1e-9;
    for (const GnomonRow& row : rows) {
        const Site site{row.lat, 0, 0};
        const Gnomon foot{{300, 200}, 80};
        const Dial dial(site, row.plane, foot);
        EXPECT_EQ(!dial.Root(), row.rootAtInfinity) << row.name;
        EXPECT_NEAR(dial.StyleHeightDeg(), row.styleHeightDeg, kAngleTol) << row.name;
        const auto byRoot = GnomonFromRoot(site, row.plane, {120, 40}, 150);
        ASSERT_EQ(!byRoot, row.rootAtInfinity) << row.name;
        if (!byRoot) continue;
        // Placed by its root, the gnomon has that root and distance back.
        const Dial rooted(site, row.plane, *byRoot);
        EXPECT_NEAR(rooted.Root()->x, 120, kMmTol) << row.name;
        EXPECT_NEAR(rooted.Root()->y, 40, kMmTol) << row.name;
        EXPECT_NEAR(*rooted.NodusDistanceMm(), 150, kMmTol) << row.name;
        // The style leans to the raised pole above the plate.
        EXPECT_GT(Dot(rooted.Style(), NorthPole(site)) * row.lat * Dot(rooted.Style(), {0, 0, 1}),
                  -kAngleTol)
            << row.name;
    }
}

struct FrameRow {
    const char* name;
    Plane plane;
    Vec3 right, down;
};

TEST(DialEngine, PlateFrameAsSeenFacingTheFace) {
    const FrameRow rows[] = {
        {"south wall: east right", {180, 0}, {1, 0, 0}, {0, 0, -1}},
        {"north wall: west right", {0, 0}, {-1, 0, 0}, {0, 0, -1}},
        {"east wall: north right", {90, 0}, {0, 1, 0}, {0, 0, -1}},
        {"horizontal 180: north at the top", {180, 90}, {1, 0, 0}, {0, -1, 0}},
        {"horizontal 0: south at the top", {0, 90}, {-1, 0, 0}, {0, 1, 0}},
        {"ceiling facing down", {180, -90}, {1, 0, 0}, {0, 1, 0}},
    };
    constexpr double kTol = 1e-12;
    for (const FrameRow& row : rows) {
        const PlateFrame f(row.plane);
        const TracedPlate t(row.plane.bearingDeg, row.plane.reclineDeg);
        for (const auto& [got, want, traced] :
             {std::tuple{f.right, row.right, t.right}, std::tuple{f.down, row.down, t.down}}) {
            EXPECT_NEAR(got.x, want.x, kTol) << row.name;
            EXPECT_NEAR(got.y, want.y, kTol) << row.name;
            EXPECT_NEAR(got.z, want.z, kTol) << row.name;
            EXPECT_NEAR(Length(got - traced), 0, kTol) << row.name;
        }
    }
}

TEST(DialEngine, ClockHoursRoundTripThroughFractionalZones) {
    for (const double zone : {-12.0, -3.5, 0.0, 5.5, 5.75, 12.75, 14.0}) {
        const Site site{10, -47.3, zone};
        for (double clock = 0; clock < 24; clock += 0.25) {
            EXPECT_NEAR(ClockHourOf(site, HourAngleDeg(site, clock)), clock, 1e-9)
                << "zone " << zone << " clock " << clock;
        }
    }
}

}  // namespace
}  // namespace sundial::engine
