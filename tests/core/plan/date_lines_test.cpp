// Date lines and the noon figure-eight: every point is the nodus's shadow for
// its declination, the path between points strays by less than the template
// can be trusted to, and the sun lights the wall wherever a line is drawn.
#include "core/plan/date_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/dial/geometry.h"
#include "tests/core/plan/sky_model.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

using sundial::testing::SiteCase;
using sundial::testing::Sky;
using sundial::testing::V;

// The promise: within 0.2 mm on a metre-sized plate.
constexpr double kTrustMm = 0.2;
// Vertices are computed exactly; only the model's round earth (the site's
// place off the centre a few kilometres from the ellipsoid's) separates them
// from it.
constexpr double kVertexMm = 1e-3;
// The sun seen from the site bends the equinox's line: its direction from a
// site off the earth's centre sweeps a cone, not a plane.
constexpr double kEquinoxBendMm = 0.02;
constexpr double kSingleAngleTol = 2e-3;  // degrees, as the run stores angles

constexpr double kPlateMm = 1000;
constexpr double kNodusMm = 250;

// How far `p` is from the true date line: from the chord of the sky model's
// line, the sun seen from the site, a hundredth of a degree of hour angle
// either side of the sun's hour angle through `p`.
double OffTheLine(const Sky& sky, Point root, Point p, double declinationDeg) {
    const V nodus = sky.Nodus(kNodusMm);
    const Point rel{p.x - root.x, p.y - root.y};
    const V toSun = nodus - sky.FromPlate(rel);
    // The sun's hour angle seen through p: its west and meridian components.
    const double lat = testing::Rad(sky.lat);
    const V equatorTop{0, -std::sin(lat), std::cos(lat)};
    const double hour = testing::Deg(std::atan2(toSun.dot(V{-1, 0, 0}), toSun.dot(equatorTop)));
    const auto exact = [&](double h) {
        return sky.ShadowOf(nodus, sky.FromSite(sky.Sun(declinationDeg, h)));
    };
    const Point a = exact(hour - 0.01), b = exact(hour + 0.01);
    return std::fabs((b.x - a.x) * (a.y - rel.y) - (a.x - rel.x) * (b.y - a.y)) /
           std::hypot(b.x - a.x, b.y - a.y);
}

class DateLinesOnPlan : public ::testing::TestWithParam<SiteCase> {};

TEST_P(DateLinesOnPlan, EveryPointIsTheNodusShadowForItsDay) {
    const SiteState site = testing::SiteOf(GetParam());
    PlanOptions options;
    options.widthMm = options.heightMm = kPlateMm;
    options.dateLines = options.monthLines = true;
    options.nodusMm = kNodusMm;
    const Plan p = testing::Built(site, options);
    const Sky sky(site);
    std::map<std::string, double> declinations;
    for (const DateCurve& c : DateCurvesFor(true)) declinations[c.label] = c.declinationDeg;

    int lines = 0;
    for (const Element& e : p.dial.elements) {
        if (e.role != Role::DateLines || e.shape != Shape::Polyline) continue;
        ++lines;
        ASSERT_TRUE(declinations.count(e.text)) << e.text;
        const double dec = declinations[e.text];
        for (size_t i = 0; i < e.points.size(); ++i) {
            const Point& q = e.points[i];
            // Each vertex on the line (a run's ends are where it was cut
            // to the plate, on a chord), the sun above the horizon and in front.
            const bool end = i == 0 || i + 1 == e.points.size();
            EXPECT_LT(OffTheLine(sky, p.root, q, dec), end ? kTrustMm : kVertexMm)
                << e.text << " vertex " << i;
            const V toSun = sky.Nodus(kNodusMm) - sky.FromPlate({q.x - p.root.x, q.y - p.root.y});
            EXPECT_GT(toSun.u, -1e-9) << e.text;
            EXPECT_GT(toSun.dot(sky.out), 0) << e.text;
            if (i == 0) continue;
            // ... and the straight piece to the next one never far from it.
            const Point mid{(q.x + e.points[i - 1].x) / 2, (q.y + e.points[i - 1].y) / 2};
            EXPECT_LT(OffTheLine(sky, p.root, mid, dec), kTrustMm) << e.text << " chord " << i;
        }
    }
    EXPECT_GT(lines, 0);
}

TEST_P(DateLinesOnPlan, EquinoxLineIsStraight) {
    const SiteState site = testing::SiteOf(GetParam());
    PlanOptions options;
    options.widthMm = options.heightMm = kPlateMm;
    options.dateLines = true;
    options.nodusMm = kNodusMm;
    const Plan p = testing::Built(site, options);
    for (const Element& e : p.dial.elements) {
        const bool equinox = e.text.find("Mar") != std::string::npos && e.text != "1 Mar";
        if (e.role != Role::DateLines || e.shape != Shape::Polyline || !equinox) continue;
        const Point a = e.points.front(), b = e.points.back();
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        for (const Point& q : e.points) {
            const double off =
                std::fabs((b.x - a.x) * (a.y - q.y) - (a.x - q.x) * (b.y - a.y)) / len;
            EXPECT_LT(off, kEquinoxBendMm);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sites, DateLinesOnPlan, ::testing::ValuesIn(testing::Sites()),
                         testing::SiteName);

// The noon figure-eight meets the dial's own hour lines: on a day the sun
// runs E minutes ahead, the shadow at 12:00 lies on the line of 12 + E/60.
TEST(NoonCurve, LiesOnTheHourLineOfNoonCorrectedByTheEquationOfTime) {
    const SiteState site = testing::SiteOf({"London200", 51.5f, 0.12f, "200", 0});
    const DialGeometry dial = ComputeDial(site);
    const struct {
        const char* name;
        double eot;
    } rows[] = {{"sun on time", 0}, {"sun 16 minutes fast", 16.4}, {"sun 14 minutes slow", -14.2}};
    for (const auto& r : rows) {
        std::vector<SunSample> samples;
        for (int m = 1; m <= 12; ++m) {
            for (const int d : {1, 11, 21})
                samples.push_back({m, d, ApproximateDeclination(m, d), r.eot});
        }
        PlanOptions options;
        options.widthMm = options.heightMm = kPlateMm;
        options.noonCurve = true;
        options.nodusMm = kNodusMm;
        const Plan p = testing::Built(site, options, samples);
        const double expected = *ShadowAngleAt(site, dial, 12 + r.eot / 60);
        int points = 0;
        for (const Element& e : p.dial.elements) {
            if (e.role != Role::NoonCurve || e.shape != Shape::Polyline) continue;
            for (const Point& q : e.points) {
                ++points;
                const double angle = testing::Deg(std::atan2(-(q.x - p.root.x), q.y - p.root.y));
                EXPECT_NEAR(testing::LineAngleDiff(angle, expected), 0, kSingleAngleTol) << r.name;
            }
        }
        EXPECT_GE(points, 36) << r.name;  // a closed loop through every sample
    }
}

TEST(NoonCurve, NeedsSamples) {
    const SiteState site = testing::SiteOf({"London200", 51.5f, 0.12f, "200", 0});
    PlanOptions options;
    options.noonCurve = true;
    options.nodusMm = 150;
    const Plan p = testing::Built(site, options);
    for (const Element& e : p.dial.elements) {
        EXPECT_NE(e.role, Role::NoonCurve);
        EXPECT_NE(e.role, Role::EquationTable);
    }
}

// The first of each month, against almanac values for the sun at noon UT
// (they move by up to a quarter of a degree through the leap-year cycle).
TEST(DateLines, FirstOfTheMonthDeclinations) {
    constexpr double kCycleTol = 0.3;
    const double almanac[12] = {-23.0, -17.2, -7.6, 4.5,  15.0,  22.0,
                                23.1,  18.1,  8.3,  -3.1, -14.4, -21.8};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_NEAR(ApproximateDeclination(m, 1), almanac[m - 1], kCycleTol) << "month " << m;
    }
    EXPECT_NEAR(ApproximateDeclination(6, 21), kSolsticeDeclinationDeg, 0.02);
    EXPECT_NEAR(ApproximateDeclination(12, 21), -kSolsticeDeclinationDeg, 0.02);
}

}  // namespace
}  // namespace sundial::plan
