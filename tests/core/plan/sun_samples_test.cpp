// The noon figure-eight against the sun itself: each day's point is the
// nodus's shadow of the sun where the solar-position routines put it in the
// sky at 12:00 on the site's clock.
#include "core/plan/sun_samples.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/plan/clip.h"
#include "core/sun/solar_position.h"
#include "tests/core/plan/sky_model.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

using sundial::testing::SiteCase;
using sundial::testing::Sky;
using sundial::testing::V;

// The promise for a metre-sized plate; the routines' own parallax and
// aberration move the shadow by a few hundredths of that.
constexpr double kTrustMm = 0.2;
constexpr double kNodusMm = 250;

class NoonCurveAgainstTheSun : public ::testing::TestWithParam<SiteCase> {};

TEST_P(NoonCurveAgainstTheSun, EachDaysPointIsTheShadowOfTheSunAtNoon) {
    const SiteState site = testing::SiteOf(GetParam());
    const std::vector<SunSample> samples = YearOfSunSamples(site);
    ASSERT_EQ(samples.size(), 365u);
    PlanOptions o;
    o.widthMm = o.heightMm = 1000;
    o.noonCurve = true;
    o.nodusMm = kNodusMm;
    const Plan p = testing::Built(site, o, samples);
    const Sky sky(site);
    std::vector<Point> drawn;
    for (const Element& e : p.dial.elements) {
        if (e.role == Role::NoonCurve && e.shape == Shape::Polyline) {
            drawn.insert(drawn.end(), e.points.begin(), e.points.end());
        }
    }
    int onPlate = 0;
    for (const SunSample& s : samples) {
        const SolarResult sun = SunAt(site.Latitude, site.Longitude,
                                      {kSampleYear, s.month, s.day, 12, 0, 0}, site.UtcOffset);
        ASSERT_TRUE(sun.position) << sun.error;
        const double az = testing::Rad(sun.position->azimuthDeg);
        const double alt = testing::Rad(sun.position->altitudeDeg);
        const V toSun{std::sin(az) * std::cos(alt), std::cos(az) * std::cos(alt), std::sin(alt)};
        if (toSun.u <= 0 || toSun.dot(sky.out) <= 0) continue;
        const Point rel = sky.ShadowOf(sky.Nodus(kNodusMm), toSun);
        const Point expected{p.root.x + rel.x, p.root.y + rel.y};
        if (!(Rect{0, 0, 1000, 1000}.Inset(100).Contains(expected))) continue;
        ++onPlate;
        double nearest = 1e9;
        for (const Point& q : drawn) nearest = std::min(nearest, Distance(q, expected));
        EXPECT_LT(nearest, kTrustMm) << s.month << "-" << s.day;
    }
    EXPECT_GT(onPlate, 100);
}

INSTANTIATE_TEST_SUITE_P(Sites, NoonCurveAgainstTheSun,
                         ::testing::Values(SiteCase{"London200", 51.5f, 0.12f, "200", 0},
                                           SiteCase{"Budapest160", 47.5f, -19.1f, "160", 1},
                                           SiteCase{"Miami185", 25.9f, 80.2f, "185.2", -5}),
                         testing::SiteName);

}  // namespace
}  // namespace sundial::plan
