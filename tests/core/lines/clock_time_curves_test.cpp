// The figure-eights against the sun worked out apart from them: the full
// ephemeris at each vertex's own clock time, as azimuth and altitude seen
// from the site, and the shadow traced from the nodus along that direction.
#include "core/lines/clock_time_curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/sun/clock_time.h"
#include "tests/support/row_name.h"

namespace sundial::lines {
namespace {

using sundial::testing::PrintTo;

// The promise on a 1 m plate; the ephemeris's own topocentric parallax
// (under 9") uses a twentieth of it.
constexpr double kShadowTolMm = 0.1;
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
};

engine::Vec3 SunFromAzimuthAltitude(double azimuthDeg, double altitudeDeg) {
    const double a = engine::Rad(azimuthDeg), h = engine::Rad(altitudeDeg);
    return {std::sin(a) * std::cos(h), std::cos(a) * std::cos(h), std::sin(h)};
}

class ClockTimeCurves : public ::testing::TestWithParam<Row> {};

TEST_P(ClockTimeCurves, EveryVertexIsTheShadowAtItsClockTime) {
    const Row& r = GetParam();
    const engine::Dial dial(r.site, r.plane, r.gnomon);
    const auto year = SunYear::For(2026);
    ASSERT_TRUE(year);
    const auto curves = lines::ClockTimeCurves(dial, *year, true);
    ASSERT_GE(curves.size(), 8u);
    int checked = 0;
    for (const ClockTimeCurve& curve : curves) {
        for (const auto* half : {&curve.rising, &curve.falling}) {
            for (const CurveRun& run : *half) {
                // Every fifth day keeps the run short; all days are alike.
                for (std::size_t i = 0; i < run.size(); i += 5) {
                    const CurveVertex& v = run[i];
                    if (!(v.at.x >= 0 && v.at.x <= kPlateMm && v.at.y >= 0 && v.at.y <= kPlateMm)) {
                        continue;
                    }
                    const MonthDay date = *MonthDayOf(2026, v.day);
                    const int minutes = static_cast<int>(std::lround(curve.hour * 60));
                    const auto sun =
                        SunAt(r.site.latitudeDeg, -r.site.longitudeEastDeg,
                              {2026, date.month, date.day, minutes / 60, minutes % 60, 0},
                              r.site.zoneHours);
                    ASSERT_TRUE(sun.position);
                    const auto traced = dial.Shadow(SunFromAzimuthAltitude(
                        sun.position->azimuthDeg, sun.position->altitudeDeg));
                    // A sun grazing the horizon or the face may sit on either
                    // side of it by the parallax: there is no shadow to compare.
                    if (!traced) continue;
                    EXPECT_NEAR(v.at.x, traced->x, kShadowTolMm) << curve.hour << " day " << v.day;
                    EXPECT_NEAR(v.at.y, traced->y, kShadowTolMm) << curve.hour << " day " << v.day;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 100);
}

// The halves are the two seasons: along the rising half the sun climbs day
// by day, along the falling one it sinks, and no day is in either twice.
TEST_P(ClockTimeCurves, HalvesFollowTheSeasons) {
    const Row& r = GetParam();
    const engine::Dial dial(r.site, r.plane, r.gnomon);
    const auto year = SunYear::For(2028);
    for (const ClockTimeCurve& curve : lines::ClockTimeCurves(dial, *year, false)) {
        EXPECT_EQ(curve.hour, std::floor(curve.hour));
        std::vector<int> count(year->days() + 1, 0);
        for (const auto* half : {&curve.rising, &curve.falling}) {
            const double sense = half == &curve.rising ? 1 : -1;
            for (const CurveRun& run : *half) {
                for (std::size_t i = 0; i < run.size(); ++i) {
                    ++count[run[i].day];
                    if (i == 0) continue;
                    const double climb = year->At(run[i].day).declinationDeg -
                                         year->At(run[i - 1].day).declinationDeg;
                    EXPECT_GT(sense * climb, -0.01) << curve.hour << " day " << run[i].day;
                }
            }
        }
        EXPECT_LE(std::count(count.begin(), count.end(), 2), 2) << curve.hour;
        EXPECT_LE(*std::max_element(count.begin(), count.end()), 2) << curve.hour;
    }
}

INSTANTIATE_TEST_SUITE_P(Dials, ClockTimeCurves, ::testing::ValuesIn(kRows),
                         sundial::testing::RowName());

// Drawn for one year, a curve serves for a decade: every vertex of 2036's
// curves lies within 0.2 mm of 2026's path on a 1 m plate (0.36 mm after
// twenty years, as the perihelion moves along the year).
TEST(ClockTimeCurvesOverDecades, MoveLessThanAFifthOfAMillimetre) {
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
                // A run's ends (sunrise, sunset, the face's edge) may gain or
                // lose a day between years.
                for (std::size_t k = 1; k + 1 < run.size(); ++k) {
                    const CurveVertex& v = run[k];
                    if (!(v.at.x >= 0 && v.at.x <= kPlateMm && v.at.y >= 0 && v.at.y <= kPlateMm)) {
                        continue;
                    }
                    double nearest = 1e9;
                    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
                        const engine::PlatePoint p = path[i], q = path[i + 1];
                        const double dx = q.x - p.x, dy = q.y - p.y;
                        const double len2 = dx * dx + dy * dy;
                        const double t =
                            len2 > 0
                                ? std::clamp(((v.at.x - p.x) * dx + (v.at.y - p.y) * dy) / len2,
                                             0.0, 1.0)
                                : 0.0;
                        nearest = std::min(
                            nearest, std::hypot(v.at.x - p.x - t * dx, v.at.y - p.y - t * dy));
                    }
                    EXPECT_LT(nearest, kDriftTolMm) << a[c].hour << " day " << v.day;
                }
            }
        }
    }
}

}  // namespace
}  // namespace sundial::lines
