// Hour lines on the plan: through the root, at the run's angle, and on the
// line the style's shadow really takes at that clock time.
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
            EXPECT_NEAR(angle, dial.RawShadowAngle[LineHour(static_cast<int>(*e.hour))],
                        kRunAngleTol)
                << "hour " << *e.hour;
        }
        // Whatever the run's formula, the line is where the style's shadow
        // lies at that clock time (any declination gives the same line).
        const double shadow = sky.StyleShadowLineDeg(sky.Sun(0, sky.HourAngle(*e.hour)));
        EXPECT_NEAR(LineAngleDiff(angle, shadow), 0, kSingleAngleTol) << "hour " << *e.hour;
        EXPECT_TRUE((Rect{0, 0, 1000, 800}.Contains(far, 1e-9))) << *e.hour;
    }
    // Each line of the run's table once, under its first label.
    std::set<int> lines, expected;
    for (const HourRow& row : dial.HourList) {
        if (lines.insert(LineHour(row.hour)).second) expected.insert(row.hour);
    }
    EXPECT_EQ(wholeHours, expected);
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

TEST(HourLines, PartsOfHoursOnlyBetweenTwoListedHours) {
    const SiteState site = testing::SiteOf({"West250", 51.5f, 0.12f, "250", 0});
    const DialGeometry dial = ComputeDial(site);
    const struct {
        const char* name;
        bool half, quarter;
        size_t parts;  // per gap between listed hours
    } rows[] = {{"hours only", false, false, 0},
                {"half hours", true, false, 1},
                {"quarters", false, true, 2},
                {"both", true, true, 3}};
    for (const auto& r : rows) {
        const std::vector<HourLine> lines = HourLinesFor(site, dial, r.half, r.quarter);
        // 11..22 listed: eleven gaps.
        EXPECT_EQ(lines.size(), 12 + 11 * r.parts) << r.name;
        for (size_t i = 1; i < lines.size(); ++i) EXPECT_LT(lines[i - 1].hour, lines[i].hour);
    }
}

}  // namespace
}  // namespace sundial::plan
