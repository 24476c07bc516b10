#include "core/dial/window_furniture.h"

#include <gtest/gtest.h>

#include <variant>

#include "core/dial/recording_surface.h"
#include "core/dial/run.h"
#include "tests/core/dial/test_sites.h"

namespace sundial {
namespace {

using LineOp = RecordingSurface::LineOp;
using EllipseOp = RecordingSurface::EllipseOp;

// The example's coordinates are whole numbers or exact halves: exact in double.
constexpr double kExact = 0;
// Ellipse aspects are stored as given.
constexpr double kAspectTol = 1e-12;

std::vector<EllipseOp> Ellipses(const RecordingSurface& s) {
    std::vector<EllipseOp> out;
    for (const auto& op : s.OpsSinceClear()) {
        if (const auto* e = std::get_if<EllipseOp>(&op)) out.push_back(*e);
    }
    return out;
}

TEST(WindowFurniture, DialFrameOn9000By4400) {
    RecordingSurface s(9000, 4400);
    s.Line(1, 2, 3, 4);  // an earlier drawing is wiped
    DrawDialFrame(s);
    const std::vector<LineOp> lines = s.Lines();
    ASSERT_EQ(lines.size(), 4u);
    const double expected[4][4] = {{700, 200, 8300, 200},
                                   {8300, 200, 8300, 3500},
                                   {700, 200, 700, 3500},
                                   {8300, 3500, 700, 3500}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(lines[i].x1, expected[i][0], kExact) << "edge " << i;
        EXPECT_NEAR(lines[i].y1, expected[i][1], kExact) << "edge " << i;
        EXPECT_NEAR(lines[i].x2, expected[i][2], kExact) << "edge " << i;
        EXPECT_NEAR(lines[i].y2, expected[i][3], kExact) << "edge " << i;
        EXPECT_EQ(lines[i].width, 2) << "edge " << i;
    }
    // The pen is left at width 1 for the hour lines.
    const auto* last = std::get_if<RecordingSurface::WidthOp>(&s.Ops().back());
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->pixels, 1);
}

TEST(WindowFurniture, ChartFurnitureOn9000By4400) {
    RecordingSurface s(9000, 4400);
    DrawChartFurniture(s);
    const std::vector<LineOp> lines = s.Lines();
    ASSERT_GE(lines.size(), 4u + 2 + 12 + 1);

    // Frame, solid, width 2.
    EXPECT_NEAR(lines[0].x2, 8800, kExact);
    EXPECT_NEAR(lines[1].y2, 3500, kExact);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(lines[i].width, 2) << "frame " << i;

    // The +-10 minute lines, dotted, across the chart.
    const double grid[2] = {1025, 2675};
    for (size_t i = 0; i < 2; ++i) {
        const LineOp& l = lines[4 + i];
        EXPECT_TRUE(l.dotted) << "grid " << i;
        EXPECT_EQ(l.width, 1) << "grid " << i;
        EXPECT_NEAR(l.y1, grid[i], kExact) << "grid " << i;
        EXPECT_NEAR(l.x1, 700, kExact) << "grid " << i;
        EXPECT_NEAR(l.x2, 8800, kExact) << "grid " << i;
    }
    // Twelve month lines 675 apart, the last on the right edge.
    for (int m = 1; m <= 12; ++m) {
        const LineOp& l = lines[5 + static_cast<size_t>(m)];
        EXPECT_TRUE(l.dotted) << "month " << m;
        EXPECT_NEAR(l.x1, 700 + 675 * m, kExact) << "month " << m;
        EXPECT_NEAR(l.y1, 200, kExact) << "month " << m;
        EXPECT_NEAR(l.y2, 3500, kExact) << "month " << m;
    }
    // The zero line, dotted.
    const LineOp& zero = lines[18];
    EXPECT_TRUE(zero.dotted);
    EXPECT_NEAR(zero.y1, 1850, kExact);
    EXPECT_NEAR(zero.y2, 1850, kExact);

    // The labels are solid; MONTH starts at (4050, 3900).
    const LineOp& m = lines[19];
    EXPECT_FALSE(m.dotted);
    EXPECT_NEAR(m.x1, 4050, kExact);
    EXPECT_NEAR(m.y1, 3900, kExact);
    for (size_t i = 19; i < lines.size(); ++i) EXPECT_FALSE(lines[i].dotted) << "label " << i;

    // The minus sign is the last stroke, beside the bottom 20.
    EXPECT_NEAR(lines.back().y1, 4400 - 1120, kExact);

    // Ellipses: the O of MONTH (a circle), the 0 of each 20, the 0 at the zero line.
    const std::vector<EllipseOp> ellipses = Ellipses(s);
    ASSERT_EQ(ellipses.size(), 4u);
    EXPECT_NEAR(ellipses[0].cx, 4450, kExact);
    EXPECT_NEAR(ellipses[0].aspect, 1, kAspectTol);
    const double zeroY[3] = {325, 4400 - 1180 + 45, 1850};
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_NEAR(ellipses[i].cx, 445, kExact) << "ellipse " << i;
        EXPECT_NEAR(ellipses[i].cy, zeroY[i - 1], kExact) << "ellipse " << i;
        EXPECT_NEAR(ellipses[i].aspect, 1.44, kAspectTol) << "ellipse " << i;
    }
}

// Cascade without a run leaves only the frame and the furniture.
TEST(WindowFurniture, FurnitureAloneWipesThePreviousRun) {
    RecordingSurface draw(9000, 4400), number(9000, 4400), chart(9000, 4400);
    const SiteState site = testing::SiteAt(50.7f, 3.5f, "185.2", 0, "Exeter, Britain");
    DialGeometry dial;
    ASSERT_EQ(RunDial(site, {}, {draw, number, chart, nullptr, nullptr}, dial).status,
              RunStatus::Completed);
    ASSERT_GT(draw.Lines().size(), 4u);

    DrawCascadeFurniture(draw, chart);
    EXPECT_EQ(draw.Lines().size(), 4u);
    RecordingSurface furnitureOnly(9000, 4400);
    DrawChartFurniture(furnitureOnly);
    EXPECT_EQ(chart.Lines().size(), furnitureOnly.Lines().size());
    for (const auto& op : chart.OpsSinceClear()) {
        EXPECT_FALSE(std::holds_alternative<RecordingSurface::PointOp>(op)) << "no curve start";
    }
}

}  // namespace
}  // namespace sundial
