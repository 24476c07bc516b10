#include "core/plan/clip.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sundial::plan {
namespace {

constexpr double kTol = 1e-12;
const Rect kBox{0, 0, 10, 10};

TEST(Clip, SegmentsKeepTheirPartInside) {
    const struct {
        const char* name;
        Point a, b;
        bool inside;
        Point from, to;
    } rows[] = {
        {"wholly inside", {1, 1}, {9, 9}, true, {1, 1}, {9, 9}},
        {"crossing", {-5, 5}, {15, 5}, true, {0, 5}, {10, 5}},
        {"entering a corner", {-1, -1}, {5, 5}, true, {0, 0}, {5, 5}},
        {"along an edge", {-2, 0}, {4, 0}, true, {0, 0}, {4, 0}},
        {"outside", {11, 0}, {11, 10}, false, {}, {}},
        {"passing a corner", {-1, 2}, {2, -1}, true, {0, 1}, {1, 0}},
        {"missing a corner", {-1, 0.5}, {0.5, -1}, false, {}, {}},
    };
    for (const auto& r : rows) {
        const auto piece = ClipSegment(r.a, r.b, kBox);
        ASSERT_EQ(piece.has_value(), r.inside) << r.name;
        if (!piece) continue;
        EXPECT_NEAR(piece->first.x, r.from.x, kTol) << r.name;
        EXPECT_NEAR(piece->first.y, r.from.y, kTol) << r.name;
        EXPECT_NEAR(piece->second.x, r.to.x, kTol) << r.name;
        EXPECT_NEAR(piece->second.y, r.to.y, kTol) << r.name;
    }
}

TEST(Clip, PolylineSplitsWhereItLeaves) {
    // In, out over the right edge, back in, out again.
    const std::vector<Point> path = {{1, 1}, {15, 1}, {15, 5}, {5, 5}, {5, 15}};
    const auto runs = ClipPolyline(path, kBox);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].size(), 2u);
    EXPECT_NEAR(runs[0][1].x, 10, kTol);
    ASSERT_EQ(runs[1].size(), 3u);
    EXPECT_NEAR(runs[1][0].x, 10, kTol);
    EXPECT_NEAR(runs[1][2].y, 10, kTol);
}

double Area(const std::vector<Point>& poly) {
    double a = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
        const Point& p = poly[i];
        const Point& q = poly[(i + 1) % poly.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return std::fabs(a) / 2;
}

TEST(Clip, PolygonKeepsTheAreaInside) {
    const struct {
        const char* name;
        std::vector<Point> polygon;
        double area;
    } rows[] = {
        {"inside", {{1, 1}, {3, 1}, {3, 3}, {1, 3}}, 4},
        {"half over the edge", {{8, 0}, {12, 0}, {12, 2}, {8, 2}}, 4},
        {"round the box", {{-1, -1}, {11, -1}, {11, 11}, {-1, 11}}, 100},
        {"outside", {{20, 20}, {30, 20}, {30, 30}}, 0},
    };
    for (const auto& r : rows) {
        const auto clipped = ClipPolygon(r.polygon, kBox);
        EXPECT_NEAR(clipped.empty() ? 0 : Area(clipped), r.area, 1e-9) << r.name;
    }
}

TEST(Clip, RayLeavesThroughTheNearestSide) {
    const double s = std::sqrt(0.5);
    EXPECT_NEAR(RayExit({5, 0}, {0, 1}, kBox), 10, kTol);
    EXPECT_NEAR(RayExit({5, 0}, {-s, s}, kBox), 5 / s, kTol);
    EXPECT_NEAR(RayExit({0, 0}, {-1, 0}, kBox), 0, kTol);
}

}  // namespace
}  // namespace sundial::plan
