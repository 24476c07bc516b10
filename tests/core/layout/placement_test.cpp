#include "core/layout/placement.h"

#include <gtest/gtest.h>

#include <optional>

namespace sundial {
namespace {

// Placements are sums and halvings of whole twips: exact in double.
constexpr double kExact = 0;

struct CenterCase {
    const char* name;
    TwipRect main;
    double width, height;
    TwipPoint expected;
};

TEST(Placement, CenterOverMainWindow) {
    const CenterCase cases[] = {
        {"smaller window", {1000, 500, 9000, 7000}, 3000, 2000, {4000, 3000}},
        {"same size lands on the main window", {1000, 500, 9000, 7000}, 9000, 7000, {1000, 500}},
        // A window larger than the main window hangs over its top left corner.
        {"larger window", {0, 0, 2000, 2000}, 4000, 3000, {-1000, -500}},
    };
    for (const CenterCase& c : cases) {
        const TwipPoint p = CenterOverMainWindow(c.main, c.width, c.height);
        EXPECT_NEAR(p.left, c.expected.left, kExact) << c.name;
        EXPECT_NEAR(p.top, c.expected.top, kExact) << c.name;
    }
}

TEST(Placement, BesideMainWindowIsAFixedOffset) {
    const TwipPoint p = PlaceBesideMainWindow({1500, 900, 9890, 6000});
    EXPECT_NEAR(p.left, 3700, kExact);
    EXPECT_NEAR(p.top, 2900, kExact);
}

TEST(Placement, CenterOnScreen) {
    const TwipPoint p = CenterOnScreen(19200, 15000, 9890, 6000);
    EXPECT_NEAR(p.left, 4655, kExact);
    EXPECT_NEAR(p.top, 4500, kExact);
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
        EXPECT_NEAR(corners[i].left, 22.0 * static_cast<double>(i), kExact) << i;
        EXPECT_NEAR(corners[i].top, 22.0 * static_cast<double>(i), kExact) << i;
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
        EXPECT_NEAR(NextPrintZone(r.position, zone), r.expected, kExact) << r.name;
    }
    // A font without width gives no zones rather than dividing by zero.
    EXPECT_NEAR(NextPrintZone(12, 0), 12, kExact);
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
        EXPECT_NEAR(got->width, r.child->width, kExact) << r.name;
        EXPECT_NEAR(got->height, r.child->height, kExact) << r.name;
    }
}

}  // namespace
}  // namespace sundial
