// Hour lines on the plan: through the root, at the run's angle, on the line
// the style's shadow really takes at that clock time, and only for the clock
// times at which the sun reaches the face.
#include "core/plan/hour_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/dial/geometry.h"
#include "tests/core/plan/sky_model.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

using sundial::testing::LineAngleDiff;
using sundial::testing::SiteCase;
using sundial::testing::Sky;

// The run's angles are singles; at the far end of a metre-long line a
// hundredth of a degree is 0.17 mm.
constexpr double kRunAngleTol = 0.01;
// The run stores its angles (and the hour angle) as singles.
constexpr double kSingleAngleTol = 2e-3;
constexpr double kOnRootTol = 1e-9;  // mm: lines start exactly at the root

double AngleOf(Point root, Point far) {
    return testing::Deg(std::atan2(-(far.x - root.x), far.y - root.y));
}

int LineHour(int label) {
    return label > 18 ? label - 12 : label < 6 ? label + 12 : label;
}

class HourLinesOnPlan : public ::testing::TestWithParam<SiteCase> {};

TEST_P(HourLinesOnPlan, RunFromTheRootAtTheRunsAngleAndTheShadowsLine) {
    const SiteState site = testing::SiteOf(GetParam());
    const DialGeometry dial = ComputeDial(site);
    PlanOptions options;
    options.widthMm = 1000;
    options.heightMm = 800;
    options.halfHours = options.quarterHours = true;
    const Plan p = testing::Built(site, options);
    const Sky sky(site);

    std::set<int> wholeHours;
    for (const Element& e : p.dial.elements) {
        const bool whole = e.role == Role::HourLines, half = e.role == Role::HalfHourLines;
        if (!whole && !half && e.role != Role::QuarterHourLines) continue;
        ASSERT_EQ(e.shape, Shape::Line);
        ASSERT_TRUE(e.hour.has_value());
        const Point near = e.points[0], far = e.points[1];
        const double angle = AngleOf(p.root, far);
        if (whole || half) {
            EXPECT_NEAR(near.x, p.root.x, kOnRootTol) << *e.hour;
            EXPECT_NEAR(near.y, p.root.y, kOnRootTol) << *e.hour;
        } else {
            // Quarter hours start part-way out, on the same ray.
            EXPECT_NEAR(LineAngleDiff(AngleOf(p.root, near), angle), 0, 1e-9) << *e.hour;
        }
        if (whole) {
            wholeHours.insert(static_cast<int>(*e.hour));
            EXPECT_NEAR(
                LineAngleDiff(angle, dial.RawShadowAngle[LineHour(static_cast<int>(*e.hour))]), 0,
                kRunAngleTol)
                << "hour " << *e.hour;
        }
        // Whatever the run's formula, the line is where the style's shadow
        // lies at that clock time (any declination gives the same line).
        const double shadow = sky.StyleShadowLineDeg(sky.Sun(0, sky.HourAngle(*e.hour)));
        EXPECT_NEAR(LineAngleDiff(angle, shadow), 0, kSingleAngleTol) << "hour " << *e.hour;
        EXPECT_TRUE((Rect{0, 0, 1000, 800}.Contains(far, 1e-9))) << *e.hour;
    }
    // A numbered line for every whole hour the sun can light, no other.
    std::set<int> lit;
    for (int hour = 0; hour < 24; ++hour) {
        for (double dec = -23.44; dec <= 23.44; dec += 0.02) {
            const testing::V sun = sky.Sun(dec, sky.HourAngle(hour));
            if (sun.u > 0 && sun.dot(sky.out) > 0) {
                lit.insert(hour);
                break;
            }
        }
    }
    for (const int hour : wholeHours)
        EXPECT_TRUE(lit.count(hour)) << "hour " << hour << " never lit";
    EXPECT_GE(wholeHours.size() + 2, lit.size());  // the lines along the plate's top edge
}

TEST_P(HourLinesOnPlan, SubstyleIsTheStylesFootOnTheWall) {
    const SiteState site = testing::SiteOf(GetParam());
    const Plan p = testing::Built(site, PlanOptions{});
    const Sky sky(site);
    const testing::V style = sky.pole * -1;
    const Point foot = sky.ToPlate(style - sky.out * style.dot(sky.out));
    const double expected = testing::Deg(std::atan2(-foot.x, foot.y));
    int found = 0;
    for (const Element& e : p.dial.elements) {
        if (e.role != Role::Substyle || e.dashMm == 0) continue;
        ++found;
        EXPECT_NEAR(AngleOf(p.root, e.points[1]), expected, kSingleAngleTol);
    }
    EXPECT_EQ(found, 1);
}

INSTANTIATE_TEST_SUITE_P(Sites, HourLinesOnPlan, ::testing::ValuesIn(testing::Sites()),
                         testing::SiteName);

TEST(HourLines, FromTheFirstToTheLastLitQuarterHour) {
    // Sun on the face from sunrise (or the wall's turn) to its going.
    const struct {
        const char* name;
        engine::Site site;
        engine::Plane plane;
        double first, last;  // clock hours of the first and last lit quarter hour
    } rows[] = {
        // Lit 05:22 to 12:50 (a wall facing 110 at 17 N): nothing numbered after 12.
        {"17N wall facing 110", {17, -88, -6}, engine::VerticalPlane(110), 5.5, 12.75},
        // Near the equinoxes the sun stays on a south wall until it sets at 18:00.
        {"68N south wall", {68, 0, 0}, engine::VerticalPlane(180), 6.25, 17.75},
        // Midsummer: sunrise 04:47, sunset 19:12 by the zone's clock.
        {"Sydney horizontal", {-33.87, 151.21, 10}, engine::HorizontalPlane(), 5.0, 19.0},
    };
    for (const auto& r : rows) {
        const engine::Dial dial(r.site, r.plane, {{300, 300}, 100});
        const std::vector<HourLine> lines = HourLinesFor(dial, true, true);
        ASSERT_FALSE(lines.empty()) << r.name;
        EXPECT_EQ(lines.front().hour, r.first) << r.name;
        EXPECT_EQ(lines.back().hour, r.last) << r.name;
        EXPECT_EQ(lines.size(), static_cast<size_t>((r.last - r.first) * 4 + 1)) << r.name;
    }
}

}  // namespace
}  // namespace sundial::plan
