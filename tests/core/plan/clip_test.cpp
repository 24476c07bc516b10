#include "core/plan/clip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

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

// Whether a segment touches a box, asked without division, answers as
// cutting the segment to the box does: the table's cases (corners passed and
// missed, a point, an edge) and segments at random about the box.
TEST(Clip, SegmentTouchesWhereClippingLeavesAPiece) {
    const Point cases[][2] = {{{1, 1}, {9, 9}},       {{-5, 5}, {15, 5}}, {{-1, 2}, {2, -1}},
                              {{-1, 0.5}, {0.5, -1}}, {{-2, 0}, {4, 0}},  {{11, 0}, {11, 10}},
                              {{5, 5}, {5, 5}},       {{-1, 1}, {1, -1}}, {{-3, 13}, {13, -3}}};
    for (const auto& c : cases) {
        EXPECT_EQ(SegmentTouches(c[0], c[1], kBox), ClipSegment(c[0], c[1], kBox).has_value())
            << c[0].x << "," << c[0].y << " " << c[1].x << "," << c[1].y;
    }
    std::mt19937 random(5);
    std::uniform_real_distribution<double> at(-6, 16);
    int touching = 0;
    for (int i = 0; i < 100000; ++i) {
        const Point a{at(random), at(random)};
        // Whole units now and then, so that ends and lines fall on the edges.
        const Point b = i % 4 == 0 ? Point{std::round(at(random)), std::round(a.y)}
                                   : Point{at(random), at(random)};
        const bool touches = SegmentTouches(a, b, kBox);
        ASSERT_EQ(touches, ClipSegment(a, b, kBox).has_value()) << i;
        touching += touches;
    }
    EXPECT_GT(touching, 20000);
    EXPECT_LT(touching, 80000);
}

// A simplified polyline keeps its ends, keeps within the tolerance of every
// point it leaves out, and leaves out what a straight run or a gentle curve
// does not need.
TEST(Clip, SimplifiedKeepsWithinItsTolerance) {
    const auto offPath = [](Point p, const std::vector<Point>& path) {
        double nearest = HUGE_VAL;
        for (std::size_t i = 1; i < path.size(); ++i) {
            const Point a = path[i - 1], b = path[i];
            const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
            const double t =
                l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
            nearest = std::min(nearest, Distance(p, {a.x + t * dx, a.y + t * dy}));
        }
        return nearest;
    };
    std::vector<Point> line, arc, zigzag;
    for (int i = 0; i <= 200; ++i) {
        line.push_back({i * 0.5, i * 0.25});
        const double a = i * 3.14159 / 200;
        arc.push_back({100 * std::cos(a), 100 * std::sin(a)});
        zigzag.push_back({i * 1.0, i % 2 * 0.5});
    }
    const struct {
        const char* name;
        const std::vector<Point>& path;
        double tolerance;
        std::size_t atMost, atLeast;
    } rows[] = {
        {"straight", line, 0.01, 2, 2},
        // The chord of an arc of angle t over radius r bows out r t^2 / 8.
        {"gentle arc", arc, 0.1, 80, 30},
        {"zigzag taller than the tolerance", zigzag, 0.1, 201, 201},
        {"zigzag within it", zigzag, 0.6, 2, 2},
    };
    for (const auto& r : rows) {
        const std::vector<Point> kept = Simplified(r.path, r.tolerance);
        EXPECT_LE(kept.size(), r.atMost) << r.name;
        EXPECT_GE(kept.size(), r.atLeast) << r.name;
        EXPECT_EQ(kept.front().x, r.path.front().x) << r.name;
        EXPECT_EQ(kept.back().y, r.path.back().y) << r.name;
        for (const Point p : r.path) EXPECT_LE(offPath(p, kept), r.tolerance + 1e-12) << r.name;
    }
}

}  // namespace
}  // namespace sundial::plan
