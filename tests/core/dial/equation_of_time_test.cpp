#include "core/dial/equation_of_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

#include "core/dial/recording_surface.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

// The worked values are given to two decimals (minutes) and one (twips).
constexpr double kHundredthMinute = 0.005;
constexpr double kTenthTwip = 0.05;
// Sine of a whole turn with pi to 15 digits is not exactly 0.
constexpr double kRoundingMinutes = 1e-9;

struct MinutesRow {
    const char* name;
    int day;
    double minutes;
    double tol;
};

class EquationOfTimeTest : public ::testing::TestWithParam<MinutesRow> {};

TEST_P(EquationOfTimeTest, WorkedValue) {
    EXPECT_NEAR(EquationOfTime(GetParam().day), GetParam().minutes, GetParam().tol);
}

INSTANTIATE_TEST_SUITE_P(
    Days, EquationOfTimeTest,
    ::testing::Values(MinutesRow{"new year", 0, 0, kRoundingMinutes},
                      MinutesRow{"year's end", 365, 0, kRoundingMinutes},
                      MinutesRow{"mid February, dial slow", 45, -15.21, kHundredthMinute},
                      MinutesRow{"late October, dial fast", 300, 14.62, kHundredthMinute}),
    RowName());

struct ChartRow {
    const char* name;
    int day;
    double minutes;
    double x, y;
};

class ChartPointTest : public ::testing::TestWithParam<ChartRow> {};

TEST_P(ChartPointTest, OnA7300By3100Window) {
    const ChartRow& r = GetParam();
    const ChartPoint p = EquationChartPoint(r.day, r.minutes, 7300, 3100);
    EXPECT_NEAR(p.x, r.x, kTenthTwip);
    EXPECT_NEAR(p.y, r.y, kTenthTwip);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartPointTest,
    ::testing::Values(ChartRow{"day 0 on the middle line", 0, 0, 700, 1200},
                      ChartRow{"+20 is the top edge", 100, 20, 700 + 100 * 6400 / 365.0, 200},
                      ChartRow{"-20 is the bottom edge", 200, -20, 700 + 200 * 6400 / 365.0, 2200},
                      ChartRow{"day 300", 300, EquationOfTime(300), 5960.3, 468.9},
                      ChartRow{"day 365 at the right edge", 365, 0, 7100, 1200}),
    RowName());

TEST(EquationOfTime, CurveIsOneUnbrokenPathAcrossTheYear) {
    RecordingSurface s(9000, 4400);
    DrawEquationOfTime(s);
    const auto& ops = s.Ops();
    ASSERT_EQ(ops.size(), 366u);
    const auto* start = std::get_if<RecordingSurface::PointOp>(&ops.front());
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->x, 700);  // whole-twip arithmetic: exact
    double x = start->x, y = start->y;
    for (size_t i = 1; i < ops.size(); ++i) {
        const auto* line = std::get_if<RecordingSurface::LineOp>(&ops[i]);
        ASSERT_NE(line, nullptr) << "day " << i;
        EXPECT_EQ(line->x1, x) << "day " << i;  // each day starts where the last ended
        EXPECT_EQ(line->y1, y) << "day " << i;
        EXPECT_GT(line->x2, line->x1) << "day " << i;
        // The curve never leaves the chart's band (|E| stays under 20).
        EXPECT_GT(line->y2, 200) << "day " << i;
        EXPECT_LT(line->y2, 4400 - 900) << "day " << i;
        x = line->x2;
        y = line->y2;
    }
    EXPECT_NEAR(x, 9000 - 200, kTenthTwip);
    EXPECT_NEAR(y, start->y, kTenthTwip);
}

}  // namespace
}  // namespace sundial
