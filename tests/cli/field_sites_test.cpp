// sun, shadow and bearing at sites across the globe, checked against the sun
// from ERFA called here directly and against plane geometry worked out here
// from the plate frame's definitions.
#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cli/output_text.h"
#include "tests/cli/cli_test_support.h"

namespace sundial {
namespace {

using sundial::testing::operator+;
using sundial::testing::Contains;
using sundial::testing::Outcome;
using sundial::testing::RunCommand;

constexpr double kPi = 3.14159265358979323846;
double Rad(double deg) {
    return deg * kPi / 180.0;
}
double Deg(double rad) {
    return rad * 180.0 / kPi;
}

// The program's sun agrees with ERFA's to a few ten-thousandths of a degree;
// JSON keeps six decimals.
constexpr double kSunTol = 1e-3;
// Refraction: ERFA's model at 1010 hPa and 10 C against the program's
// standard table, above 10 degrees of altitude (seen within 0.0006).
constexpr double kShadowTol = 0.002;
// The hour-angle rules hold for the sun unrefracted; the program's shadow
// is the refracted sun's, lifted by up to a few minutes of arc.
constexpr double kRefractedTol = 0.02;
// A bearing from synthetic readings comes back to the JSON's rounding;
// the north line from pin shadows is asked for within 0.03 degrees.
constexpr double kBearingTol = 1e-4;
constexpr double kNorthLineTol = 0.03;

struct Sky {
    double azimuthDeg, altitudeDeg, hourAngleDeg;
};

// ERFA's sun seen from the site at a UTC instant (the site's place in the
// sky, light deflection and aberration), with refraction when `refract`.
Sky ErfaSun(double latDeg, double lonEastDeg, int y, int mo, int d, int h, int mi, bool refract) {
    double d1 = 0, d2 = 0, eo = 0;
    eraDtf2d("UTC", y, mo, d, h, mi, 0, &d1, &d2);
    eraASTROM astrom;
    eraApco13(d1, d2, 0, Rad(lonEastDeg), Rad(latDeg), 0, 0, 0, refract ? 1010 : 0, 10, 0, 0.55,
              &astrom, &eo);
    double toSun[3] = {-astrom.eh[0], -astrom.eh[1], -astrom.eh[2]};
    double ra = 0, dec = 0, ri = 0, di = 0, az = 0, zen = 0, ha = 0, od = 0, orr = 0;
    eraC2s(toSun, &ra, &dec);
    eraAtciq(ra, dec, 0, 0, 0, 0, &astrom, &ri, &di);
    eraAtioq(ri, di, &astrom, &az, &zen, &ha, &od, &orr);
    return {Deg(az), 90 - Deg(zen), Deg(ha)};
}

Outcome Cli(std::vector<std::string> args) {
    return RunCommand(std::move(args), "sundial-cli");
}

// The places: southern, tropical and polar, with the zones their clocks keep.
struct Site {
    const char* name;
    std::vector<std::string> args;
    double latDeg, lonEastDeg, zoneHours;
    const char* at;  // a clock time in the zone, sun well up
    int utcY, utcMo, utcD, utcH, utcMi;
};
const std::vector<Site>& Sites() {
    static const std::vector<Site> sites = {
        {"sydney-winter",
         {"--lat", "33.87", "--south", "--lon", "151.21", "--east", "--utc", "10"},
         -33.87,
         151.21,
         10,
         "2026-06-21T12:00:00",
         2026,
         6,
         21,
         2,
         0},
        {"cape-town-named-zone",
         {"--lat", "33.92", "--south", "--lon", "18.42", "--east", "--tz", "Africa/Johannesburg"},
         -33.92,
         18.42,
         2,
         "2026-12-21T15:30:00",
         2026,
         12,
         21,
         13,
         30},
        {"quito-tropical",
         {"--lat", "-0.18", "--lon", "78.47", "--west", "--utc", "-5"},
         -0.18,
         -78.47,
         -5,
         "2026-03-20T10:00:00",
         2026,
         3,
         20,
         15,
         0},
        {"kiritimati-utc14",
         {"--lat", "1.87", "--lon", "157.43", "--west", "--utc", "14"},
         1.87,
         -157.43,
         14,
         "2026-09-01T13:00:00",
         2026,
         8,
         31,
         23,
         0},
        {"longyearbyen-polar",
         {"--lat", "78.22", "--lon", "15.65", "--east", "--utc", "1"},
         78.22,
         15.65,
         1,
         "2026-06-21T23:30:00",
         2026,
         6,
         21,
         22,
         30},
        {"mcmurdo-south-polar",
         {"--lat", "77.85", "--south", "--lon", "166.67", "--east", "--tz", "Antarctica/McMurdo"},
         -77.85,
         166.67,
         13,
         "2026-12-21T14:00:00",
         2026,
         12,
         21,
         1,
         0},
    };
    return sites;
}

Sky SunOf(const Site& s, bool refract) {
    return ErfaSun(s.latDeg, s.lonEastDeg, s.utcY, s.utcMo, s.utcD, s.utcH, s.utcMi, refract);
}

TEST(FieldSites, SunMatchesErfaEverywhere) {
    for (const Site& s : Sites()) {
        const Outcome o = Cli(std::vector<std::string>{"sun", "--json", "--at", s.at} + s.args);
        ASSERT_EQ(o.status, 0) << s.name << ": " << o.err;
        const Sky sky = SunOf(s, false);
        EXPECT_NEAR(o.json()["azimuth"].get<double>(), sky.azimuthDeg, kSunTol) << s.name;
        EXPECT_NEAR(o.json()["altitude"].get<double>(), sky.altitudeDeg, kSunTol) << s.name;
        EXPECT_NEAR(o.json()["utcOffset"].get<double>(), s.zoneHours, 0) << s.name;
    }
}

// A wall's bearing from shadow readings made with ERFA's sun, and a level
// plate's from a pin's: every site, walls facing the equator or off it.
TEST(FieldSites, BearingsComeBackFromTheirReadings) {
    for (const Site& s : Sites()) {
        const Sky sky = SunOf(s, true);
        // A wall square to the sun give or take 20 degrees, any way round.
        const double wall = std::fmod(sky.azimuthDeg + 20 + 360, 360);
        const std::string shadow =
            std::string(s.at) + "@" + FixedText(std::remainder(sky.azimuthDeg - wall, 360.0), 6);
        const Outcome w =
            Cli(std::vector<std::string>{"bearing", "--json", "--shadow", shadow} + s.args);
        ASSERT_EQ(w.status, 0) << s.name << ": " << w.err;
        EXPECT_NEAR(w.json()["bearing"].get<double>(), wall, kBearingTol) << s.name;

        // The plate turned 7 degrees from north-at-top: its down line points 187.
        const double plate = 187;
        const double a = std::remainder(plate - 180 - sky.azimuthDeg, 360.0);
        const Outcome p =
            Cli(std::vector<std::string>{"bearing", "--json", "--dial", "horizontal", "--shadow",
                                         std::string(s.at) + "@" + FixedText(a, 6)} +
                s.args);
        ASSERT_EQ(p.status, 0) << s.name << ": " << p.err;
        EXPECT_NEAR(p.json()["bearing"].get<double>(), plate, kNorthLineTol) << s.name;
        // The plate's top turned 7 degrees clockwise: north lies 7 to the left.
        EXPECT_NEAR(p.json()["northFromTop"].get<double>(), -7, kNorthLineTol) << s.name;
    }
}

// The style's shadow direction on a plane, from the plane's definition: the
// line where the face meets the plane through the style and the sun, on the
// side away from the sun.
double ShadowAngle(double latDeg, double bearingDeg, double reclineDeg, const Sky& sky) {
    const double b = Rad(bearingDeg), r = Rad(reclineDeg), phi = Rad(latDeg);
    const double az = Rad(sky.azimuthDeg), alt = Rad(sky.altitudeDeg);
    const double n[3] = {std::sin(b) * std::cos(r), std::cos(b) * std::cos(r), std::sin(r)};
    const double down[3] = {std::sin(r) * std::sin(b), std::sin(r) * std::cos(b), -std::cos(r)};
    const double right[3] = {n[1] * down[2] - n[2] * down[1], n[2] * down[0] - n[0] * down[2],
                             n[0] * down[1] - n[1] * down[0]};
    const double sun[3] = {std::sin(az) * std::cos(alt), std::cos(az) * std::cos(alt),
                           std::sin(alt)};
    double axis[3] = {0, std::cos(phi), std::sin(phi)};
    auto dot = [](const double* u, const double* v) {
        return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
    };
    if (dot(axis, n) < 0) {
        for (double& c : axis) c = -c;
    }
    double d[3];
    for (int i = 0; i < 3; ++i) d[i] = dot(n, sun) * axis[i] - dot(n, axis) * sun[i];
    return Deg(std::atan2(dot(d, right), dot(d, down)));
}

TEST(FieldSites, ShadowFallsOnEveryPlaneWhereGeometrySays) {
    struct Plane {
        const char* name;
        std::vector<std::string> args;
        double bearingDeg, reclineDeg;  // for southern sites; the equator lies north
    };
    const std::vector<Plane> planes = {
        {"north-wall", {"--bearing", "10"}, 10, 0},
        {"garden-plate", {"--dial", "horizontal"}, 180, 90},
        {"turned-plate", {"--dial", "horizontal", "--bearing", "200"}, 200, 90},
        {"reclining", {"--bearing", "350", "--recline", "30"}, 350, 30},
    };
    for (const Site& s : Sites()) {
        const Sky sky = SunOf(s, true);
        for (const Plane& p : planes) {
            const Outcome o =
                Cli(std::vector<std::string>{"shadow", "--json", "--at", s.at} + s.args + p.args);
            const std::string row = std::string(s.name) + "/" + p.name;
            if (o.status == 1) {
                EXPECT_TRUE(Contains(o.err, "in shade")) << row << ": " << o.err;
                continue;
            }
            ASSERT_EQ(o.status, 0) << row << ": " << o.err;
            const double expected = ShadowAngle(s.latDeg, p.bearingDeg, p.reclineDeg, sky);
            const double got = o.json()["shadowAngle"].get<double>();
            EXPECT_NEAR(std::remainder(got - expected, 360.0), 0, kShadowTol) << row;
            EXPECT_NEAR(o.json()["plane"]["recline"].get<double>(), p.reclineDeg, 1e-9) << row;
        }
    }
}

// A horizontal dial's hour lines by the old rule: tan(angle from the noon
// line) = sin(latitude) tan(hour angle). The noon line runs to the raised pole.
TEST(FieldSites, GardenDialShadowKeepsTheHorizontalDialRule) {
    for (const Site& s : Sites()) {
        if (std::fabs(s.latDeg) < 5) continue;  // the rule's angles vanish at the equator
        const Sky sky = SunOf(s, false);
        const Outcome o =
            Cli(std::vector<std::string>{"shadow", "--json", "--dial", "horizontal", "--at", s.at} +
                s.args);
        ASSERT_EQ(o.status, 0) << s.name << ": " << o.err;
        // North at the plate's top: the noon line points up in the north,
        // down in the south; afternoon shadows fall east, to the right.
        const double noon = s.latDeg > 0 ? 180 : 0;
        const double fromNoon =
            Deg(std::atan(std::fabs(std::sin(Rad(s.latDeg)) * std::tan(Rad(sky.hourAngleDeg)))));
        const double got = o.json()["shadowAngle"].get<double>();
        const double apart = std::fabs(std::remainder(got - noon, 360.0));
        EXPECT_NEAR(apart, std::fabs(sky.hourAngleDeg) > 90 ? 180 - fromNoon : fromNoon,
                    kRefractedTol)
            << s.name;
        EXPECT_EQ(o.json()["side"], sky.hourAngleDeg > 0 ? "right" : "left") << s.name;
    }
}

// A polar dial's hour lines stand off the substyle by the style's height
// times the tangent of the hour angle, the afternoon's to the east: on the
// right as one faces a dial looking south, on the left facing north.
TEST(FieldSites, PolarDialShadowStandsOffByTheTangentOfTheHourAngle) {
    int lit = 0;
    for (const Site& s : Sites()) {
        const Sky sky = SunOf(s, false);
        const Outcome o = Cli(
            std::vector<std::string>{"shadow", "--json", "--dial", "polar", "--at", s.at} + s.args);
        if (o.status == 1) continue;  // the sun behind the face
        ASSERT_EQ(o.status, 0) << s.name << ": " << o.err;
        ++lit;
        const double east = s.latDeg > 0 ? 1 : -1;
        EXPECT_NEAR(o.json()["shadowOffset"].get<double>(), east * std::tan(Rad(sky.hourAngleDeg)),
                    kRefractedTol)
            << s.name;
    }
    EXPECT_GE(lit, 3);
}

// The hour the clocks show twice: the offset says which, and must be the zone's.
TEST(FieldSites, TheRepeatedHourIsGivenByItsOffset) {
    const std::vector<std::string> ny = {
        "sun",  "--json",           "--lat", "40.71", "--lon", "74.01", "--west",
        "--tz", "America/New_York", "--at"};
    struct Row {
        const char* name;
        const char* at;
        int status;
        const char* said;  // in stderr; or, for a time taken, the fixed zone it equals
    };
    const std::vector<Row> rows = {
        {"twice-says-what-to-type", "2026-11-01T01:30:00", 2,
         "say which: --at 2026-11-01T01:30:00-04:00 for the first, --at "
         "2026-11-01T01:30:00-05:00 for the second."},
        {"first-of-the-two", "2026-11-01T01:30:00-04:00", 0, "-4"},
        {"second-of-the-two", "2026-11-01T01:30:00-05:00", 0, "-5"},
        {"offset-the-zone-never-kept", "2026-11-01T01:30:00-06:00", 2,
         "its clocks kept UTC-4 and then UTC-5 then, not UTC-6"},
        {"summer-offset-in-winter", "2026-12-01T12:00:00-04:00", 2, "kept UTC-5 then, not UTC-4"},
        {"compact-offset", "2026-07-01T12:00:00-0400", 0, "-4"},
        {"bad-offset", "2026-07-01T12:00:00-4:00", 2, "is not a date and time"},
    };
    for (const Row& row : rows) {
        const Outcome o = Cli(ny + std::vector<std::string>{row.at});
        ASSERT_EQ(o.status, row.status) << row.name << ": " << o.err;
        if (row.status != 0) {
            EXPECT_TRUE(Contains(o.err, row.said)) << row.name << ": " << o.err;
            continue;
        }
        std::string plain = row.at;
        plain.resize(19);
        const Outcome fixed = Cli({"sun", "--json", "--lat", "40.71", "--lon", "74.01", "--west",
                                   "--utc", row.said, "--at", plain});
        EXPECT_EQ(o.json()["azimuth"], fixed.json()["azimuth"]) << row.name;
        EXPECT_EQ(o.json()["utcOffset"], fixed.json()["utcOffset"]) << row.name;
    }
}

// The ranges are any dial's, with their own words; the report's stay its own.
TEST(FieldSites, RefusesOnlyWhatNoDialTakes) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    };
    const std::string noon = "2026-06-21T12:00";
    const std::vector<Row> rows = {
        {"latitude-90",
         {"sun", "--lat", "90", "--lon", "0", "--east", "--utc", "0", "--at", noon},
         "--lat: the latitude must be from -89 (south) to 89 (north)."},
        {"zone-15",
         {"sun", "--lat", "10", "--lon", "0", "--east", "--utc", "15", "--at", noon},
         "-12 to 14"},
        {"zone-not-quarter",
         {"shadow", "--lat", "10", "--lon", "0", "--east", "--utc", "5.1", "--at", noon},
         "in quarter hours"},
        {"polar-with-bearing",
         {"shadow", "--place", "Exeter", "--dial", "polar", "--bearing", "180", "--at", noon},
         "leave out --bearing"},
        {"plate-timed",
         {"bearing", "--place", "Exeter", "--dial", "horizontal", "--enters", noon},
         "a level plate is lit all day"},
    };
    for (const Row& row : rows) {
        const Outcome o = Cli(row.args);
        EXPECT_EQ(o.status, 2) << row.name;
        EXPECT_TRUE(Contains(o.err, row.message)) << row.name << ": " << o.err;
        EXPECT_FALSE(Contains(o.err, "Latidude")) << row.name;
    }
}

}  // namespace
}  // namespace sundial
