#include "core/layout/placement.h"

#include <gtest/gtest.h>

#include <optional>

namespace sundial {
namespace {

// Placements are sums and halvings of whole twips, exact in double: the
// placement tests compare with EXPECT_EQ.

struct CentreRow {
    const char* name;
    TwipRect main;  // for the screen: its size at the origin
    double width, height;
};

void PrintTo(const CentreRow& row, std::ostream* out) {
    *out << row.name;
}

class CentringTest : public ::testing::TestWithParam<CentreRow> {};

// Centred means the two centres coincide, whatever the sizes.
TEST_P(CentringTest, OverTheMainWindowTheCentresCoincide) {
    const CentreRow& r = GetParam();
    const TwipPoint p = CenterOverMainWindow(r.main, r.width, r.height);
    EXPECT_EQ(p.left + r.width / 2, r.main.left + r.main.width / 2);
    EXPECT_EQ(p.top + r.height / 2, r.main.top + r.main.height / 2);
}

TEST_P(CentringTest, OnTheScreenTheCentresCoincide) {
    const CentreRow& r = GetParam();
    const TwipPoint p = CenterOnScreen(r.main.width, r.main.height, r.width, r.height);
    EXPECT_EQ(p.left + r.width / 2, r.main.width / 2);
    EXPECT_EQ(p.top + r.height / 2, r.main.height / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CentringTest,
    ::testing::Values(CentreRow{"Smaller", {1000, 500, 9000, 7000}, 3000, 2000},
                      CentreRow{"SameSize", {1000, 500, 9000, 7000}, 9000, 7000},
                      // A window larger than the main window hangs over every edge.
                      CentreRow{"Larger", {0, 0, 2000, 2000}, 4000, 3000},
                      CentreRow{"OddTwips", {15, 15, 9891, 6001}, 4501, 2999}),
    [](const ::testing::TestParamInfo<CentreRow>& info) { return std::string(info.param.name); });

TEST(Placement, BesideMainWindowIsAFixedOffset) {
    for (const TwipRect main : {TwipRect{1500, 900, 9890, 6000}, TwipRect{0, 0, 100, 100}}) {
        const TwipPoint p = PlaceBesideMainWindow(main);
        EXPECT_EQ(p.left - main.left, 2200);
        EXPECT_EQ(p.top - main.top, 2000);
    }
}

TEST(Placement, TwipsAndPixelsThroughLogicalDpi) {
    struct Row {
        const char* name;
        double twips;
        double dpi;
        int pixels;
    };
    const Row rows[] = {
        {"one inch at 96", 1440, 96, 96},
        {"main client width at 96", 8910, 96, 594},
        {"one inch at 120", 1440, 120, 120},
        {"picture strip rounds to nearest", 135, 96, 9},
        {"half a pixel rounds away from zero", 7.5, 96, 1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(TwipsToPixels(r.twips, r.dpi), r.pixels) << r.name;
    }
    // Whole pixels back to twips and forward again give the same pixels.
    for (double dpi : {96.0, 120.0, 144.0}) {
        for (int px : {0, 1, 37, 600, 1999}) {
            EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px) << dpi << " dpi, " << px;
        }
    }
}

TEST(Placement, CascadeStepsEachWindowDownAndRight) {
    const std::vector<TwipPoint> corners = CascadePositions(3, 22);
    ASSERT_EQ(corners.size(), 3u);
    for (size_t i = 0; i < corners.size(); ++i) {
        EXPECT_EQ(corners[i].left, 22.0 * static_cast<double>(i)) << i;
        EXPECT_EQ(corners[i].top, 22.0 * static_cast<double>(i)) << i;
    }
    EXPECT_TRUE(CascadePositions(0, 22).empty());
}

TEST(Placement, NextPrintZoneIsStrictlyToTheRight) {
    struct Row {
        const char* name;
        double position;
        double expected;
    };
    const double zone = 70;  // 14 characters of 5 pixels
    const Row rows[] = {
        {"from the line start", 0, 70},
        {"inside the first zone", 31, 70},
        {"exactly on a boundary moves on", 70, 140},
        {"just past a boundary", 70.5, 140},
        {"far along", 333, 350},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(NextPrintZone(r.position, zone), r.expected) << r.name;
    }
    // A font without width gives no zones rather than dividing by zero.
    EXPECT_EQ(NextPrintZone(12, 0), 12);
}

TEST(Placement, ChildSizeFollowsTheMainWindow) {
    struct Row {
        const char* name;
        OuterSize main;
        std::optional<OuterSize> child;
    };
    const Row rows[] = {
        {"worked example", {9890, 6000}, OuterSize{9000, 4400}},
        {"just tall enough", {9890, 1602}, OuterSize{9000, 2}},
        {"at the limit: unchanged", {9890, 1601}, std::nullopt},
        {"minimised: unchanged", {9890, 0}, std::nullopt},
    };
    for (const Row& r : rows) {
        const std::optional<OuterSize> got = CascadeChildSize(r.main);
        ASSERT_EQ(got.has_value(), r.child.has_value()) << r.name;
        if (!got) continue;
        EXPECT_EQ(got->width, r.child->width) << r.name;
        EXPECT_EQ(got->height, r.child->height) << r.name;
    }
}

}  // namespace
}  // namespace sundial
