#include "core/dial/window_furniture.h"

#include <gtest/gtest.h>

#include <variant>

#include "core/dial/recording_surface.h"
#include "core/dial/run.h"
#include "tests/core/dial/golden.h"
#include "tests/core/dial/test_sites.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::Dump;
using sundial::testing::MatchesGolden;
using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct FurnitureRow {
    const char* name;
    void (*draw)(DrawingSurface&);
    const char* golden;
};

class FurnitureTest : public ::testing::TestWithParam<FurnitureRow> {};

// Every call on the command line's 9000 by 4400 surface, after an earlier
// drawing that must be wiped; and nothing drawn outside the window.
TEST_P(FurnitureTest, MatchesGoldenAndStaysInTheWindow) {
    RecordingSurface s(9000, 4400);
    s.Line(1, 2, 3, 4);
    GetParam().draw(s);
    EXPECT_TRUE(MatchesGolden(Dump(s), GetParam().golden));
    for (const auto& l : s.Lines()) {
        EXPECT_TRUE(l.x1 >= 0 && l.x2 >= 0 && l.x1 <= 9000 && l.x2 <= 9000) << l.x1 << " " << l.x2;
        EXPECT_TRUE(l.y1 >= 0 && l.y2 >= 0 && l.y1 <= 4400 && l.y2 <= 4400) << l.y1 << " " << l.y2;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, FurnitureTest,
    ::testing::Values(FurnitureRow{"dial frame", DrawDialFrame, "dial_frame_9000x4400.txt"},
                      FurnitureRow{"chart", DrawChartFurniture, "chart_furniture_9000x4400.txt"}),
    RowName());

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
