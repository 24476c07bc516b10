// The figure-eights against the sun worked out apart from them: the full
// ephemeris at each vertex's own clock time, as azimuth and altitude seen
// from the site, and the shadow traced from the nodus along that direction.
#include "core/lines/clock_time_curves.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/row_name.h"

namespace sundial::lines {
namespace {

using sundial::testing::PrintTo;

// The promise on a 1 m plate, low sun included: the sun seen from the site,
// where the sun from the earth's centre strays by up to 0.1 mm (a nodus's
// height below the 8.8" parallax at the horizon).
constexpr double kShadowTolMm = 0.02;
constexpr double kPlateMm = 1000;

struct Row {
    const char* name;
    engine::Site site;
    engine::Plane plane;
    engine::Gnomon gnomon;
};

const Row kRows[] = {
    {"London wall facing 200", {51.5, -0.12, 0}, engine::VerticalPlane(200), {{500, 250}, 180}},
    {"Sydney horizontal", {-33.87, 151.21, 10}, engine::HorizontalPlane(), {{500, 500}, 150}},
    {"Quito reclining east", {-0.2, -78.5, -5}, {95, 40}, {{300, 400}, 200}},
    {"Delhi half-hour zone, north wall",
     {28.6, 77.2, 5.5},
     engine::VerticalPlane(10),
     {{500, 100}, 120}},
    // A short nodus catches a sun a few degrees up, where the parallax tells.
    {"Tromso horizontal, low sun", {69.65, 18.96, 1}, engine::HorizontalPlane(), {{500, 500}, 40}},
    {"Ushuaia north wall, low sun", {-54.8, -68.3, -3}, engine::VerticalPlane(0), {{500, 60}, 40}},
};

// The sun's direction seen from a site (x east, y north, z up) straight from
// ERFA's observer set-up, without the program's own solar code: the
// astrometric place back along the observer's heliocentric vector, then
// deflection, aberration and the site's place in the sky, no refraction.
engine::Vec3 ErfaSunFromSite(const engine::Site& site, const ClockTime& utc) {
    double d1 = 0, d2 = 0, eo = 0;
    eraDtf2d("UTC", utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second, &d1, &d2);
    eraASTROM astrom;
    eraApco13(d1, d2, 0, engine::Rad(site.longitudeEastDeg), engine::Rad(site.latitudeDeg), 0, 0, 0,
              0, 0, 0, 0, &astrom, &eo);
    double toSun[3] = {-astrom.eh[0], -astrom.eh[1], -astrom.eh[2]};
    double ra = 0, dec = 0, ri = 0, di = 0, az = 0, zen = 0, ha = 0, od = 0, orr = 0;
    eraC2s(toSun, &ra, &dec);
    eraAtciq(ra, dec, 0, 0, 0, 0, &astrom, &ri, &di);
    eraAtioq(ri, di, &astrom, &az, &zen, &ha, &od, &orr);
    return {std::sin(az) * std::sin(zen), std::cos(az) * std::sin(zen), std::cos(zen)};
}

bool OnPlate(engine::PlatePoint p) {
    return p.x >= 0 && p.x <= kPlateMm && p.y >= 0 && p.y <= kPlateMm;
}

class ClockTimeCurves : public ::testing::TestWithParam<Row> {};

// Every fifth day of every run (all days are alike), in 2028, a leap year.
// Along the rising half the sun's declination climbs, along the falling one
// it sinks, and no day is in both halves but the solstices.
TEST_P(ClockTimeCurves, EveryVertexIsTheShadowAtItsClockTimeInItsSeason) {
    const Row& r = GetParam();
    const engine::Dial dial(r.site, r.plane, r.gnomon);
    const auto year = SunYear::For(2028);
    const auto curves = lines::ClockTimeCurves(dial, *year, true);
    ASSERT_GE(curves.size(), 8u);
    int checked = 0;
    for (const ClockTimeCurve& curve : curves) {
        std::vector<int> seen(year->days() + 1, 0);
        for (const auto* half : {&curve.rising, &curve.falling}) {
            const double sense = half == &curve.rising ? 1 : -1;
            for (const CurveRun& run : *half) {
                for (std::size_t i = 0; i < run.size(); ++i) {
                    const CurveVertex& v = run[i];
                    EXPECT_LE(++seen[v.day], 2);
                    if (i > 0) {
                        // A day's slack where the sun turns within it.
                        EXPECT_GT(sense * (year->At(v.day).declinationDeg -
                                           year->At(run[i - 1].day).declinationDeg),
                                  -0.01);
                    }
                    if (i % 5 != 0 || !OnPlate(v.at)) continue;
                    const MonthDay date = *MonthDayOf(2028, v.day);
                    const int minutes = static_cast<int>(std::lround(curve.hour * 60));
                    const auto sun =
                        SunAt(r.site.latitudeDeg, -r.site.longitudeEastDeg,
                              {2028, date.month, date.day, minutes / 60, minutes % 60, 0},
                              r.site.zoneHours);
                    const double az = engine::Rad(sun.position->azimuthDeg);
                    const double alt = engine::Rad(sun.position->altitudeDeg);
                    const auto traced = dial.Shadow({std::sin(az) * std::cos(alt),
                                                     std::cos(az) * std::cos(alt), std::sin(alt)});
                    // A sun grazing the horizon or the face may sit on either
                    // side of it: no shadow to compare.
                    if (!traced) continue;
                    EXPECT_NEAR(v.at.x, traced->x, kShadowTolMm) << curve.hour << " day " << v.day;
                    EXPECT_NEAR(v.at.y, traced->y, kShadowTolMm) << curve.hour << " day " << v.day;
                    // And by ERFA alone, apart from the program's solar code.
                    const auto erfa = dial.Shadow(ErfaSunFromSite(
                        r.site,
                        ShiftClock({2028, date.month, date.day, minutes / 60, minutes % 60, 0},
                                   -r.site.zoneHours)));
                    ASSERT_TRUE(erfa);
                    EXPECT_LT(std::hypot(v.at.x - erfa->x, v.at.y - erfa->y), kShadowTolMm)
                        << curve.hour << " day " << v.day;
                    ++checked;
                }
            }
        }
        EXPECT_LE(std::count(seen.begin(), seen.end(), 2), 2) << curve.hour;
    }
    EXPECT_GT(checked, 100);
}

INSTANTIATE_TEST_SUITE_P(Dials, ClockTimeCurves, ::testing::ValuesIn(kRows),
                         sundial::testing::RowName());

double DistanceToPath(engine::PlatePoint v, const std::vector<engine::PlatePoint>& path) {
    double nearest = 1e9;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const engine::PlatePoint p = path[i], q = path[i + 1];
        const double dx = q.x - p.x, dy = q.y - p.y, len2 = dx * dx + dy * dy;
        const double t =
            len2 > 0 ? std::clamp(((v.x - p.x) * dx + (v.y - p.y) * dy) / len2, 0.0, 1.0) : 0.0;
        nearest = std::min(nearest, std::hypot(v.x - p.x - t * dx, v.y - p.y - t * dy));
    }
    return nearest;
}

// Drawn for one year, a curve serves for a decade: every vertex of 2036's
// curves lies within 0.2 mm of 2026's path on a 1 m plate (0.36 mm after
// twenty years, as the perihelion moves along the year). A run's ends
// (sunrise, sunset, the face's edge) may gain or lose a day between years.
TEST(ClockTimeCurvesOverADecade, MoveLessThanAFifthOfAMillimetre) {
    constexpr double kDriftTolMm = 0.2;
    const engine::Dial dial(kRows[0].site, kRows[0].plane, kRows[0].gnomon);
    const auto a = lines::ClockTimeCurves(dial, *SunYear::For(2026), false);
    const auto b = lines::ClockTimeCurves(dial, *SunYear::For(2036), false);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t c = 0; c < a.size(); ++c) {
        std::vector<engine::PlatePoint> path;
        for (const auto* half : {&a[c].rising, &a[c].falling}) {
            for (const CurveRun& run : *half) {
                for (const CurveVertex& v : run) path.push_back(v.at);
            }
        }
        for (const auto* half : {&b[c].rising, &b[c].falling}) {
            for (const CurveRun& run : *half) {
                for (std::size_t k = 1; k + 1 < run.size(); ++k) {
                    if (!OnPlate(run[k].at)) continue;
                    EXPECT_LT(DistanceToPath(run[k].at, path), kDriftTolMm)
                        << a[c].hour << " day " << run[k].day;
                }
            }
        }
    }
}

}  // namespace
}  // namespace sundial::lines
