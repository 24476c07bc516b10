#include "core/pdf/path_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/pdf/pdf_error.h"
#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

using Kind = PathSegment::Kind;

// The end point of each segment: where the pen is after it.
PathPoint End(const PathSegment& s) {
    return s.kind == Kind::Curve ? s.points[2] : s.points[0];
}

// Control points sit 0.55 r from a corner's tangent points, computed in double
// and held as singles below 100.
constexpr float kControlTol = 1e-5f;

TEST(RoundedRectanglePathTest, FourSidesFourQuartersClosedOnItself) {
    // A 2 x 4 rectangle asks for radius 5: the radius stops at half the width.
    const auto path = RoundedRectanglePath(10, 20, 2, 4, 5);
    const Kind kinds[] = {Kind::Move, Kind::Line,  Kind::Curve, Kind::Line, Kind::Curve,
                          Kind::Line, Kind::Curve, Kind::Line,  Kind::Curve};
    // Tangent points of radius 1, counter-clockwise from the bottom edge.
    const PathPoint ends[] = {{11, 20}, {11, 20}, {12, 21}, {12, 23}, {11, 24},
                              {11, 24}, {10, 23}, {10, 21}, {11, 20}};
    for (std::size_t i = 0; i < path.size(); ++i) {
        EXPECT_EQ(path[i].kind, kinds[i]) << i;
        EXPECT_EQ(End(path[i]).x, ends[i].x) << i;
        EXPECT_EQ(End(path[i]).y, ends[i].y) << i;
    }
    // The bottom-right quarter leaves along the bottom edge and arrives along
    // the right edge.
    const auto& corner = path[2].points;
    EXPECT_NEAR(corner[0].x, 11.55f, kControlTol);
    EXPECT_EQ(corner[0].y, 20);
    EXPECT_EQ(corner[1].x, 12);
    EXPECT_NEAR(corner[1].y, 20.45f, kControlTol);
}

TEST(CirclePathTest, FourQuartersFromTheBottomCounterClockwise) {
    const auto path = CirclePath(10, 10, 2);
    EXPECT_EQ(path[0].kind, Kind::Move);
    const PathPoint ends[] = {{10, 8}, {12, 10}, {10, 12}, {8, 10}, {10, 8}};
    for (std::size_t i = 0; i < path.size(); ++i) {
        EXPECT_EQ(End(path[i]).x, ends[i].x) << i;
        EXPECT_EQ(End(path[i]).y, ends[i].y) << i;
    }
    // The constant is 0.55, not the closer 0.5523.
    EXPECT_NEAR(path[1].points[0].x, 11.1f, kControlTol);
    EXPECT_NEAR(path[1].points[1].y, 8.9f, kControlTol);
}

TEST(TextRotationTest, SinglePrecisionTerms) {
    const TextRotation none = TextRotationOf(0);
    EXPECT_EQ(none.cos, 1);
    EXPECT_EQ(none.sin, 0);
    // 90 degrees through the single factor: a cosine of about 3e-7, which the
    // file writes as 0.
    const TextRotation quarter = TextRotationOf(90);
    EXPECT_EQ(quarter.sin, 1);
    EXPECT_LT(std::fabs(quarter.cos), 1e-6f);
}

struct CountRow {
    const char* name;
    float start, end, step;
    std::int64_t points;
};

class ArcPointCountTest : public ::testing::TestWithParam<CountRow> {};

TEST_P(ArcPointCountTest, BothEndsIncludedWhenReached) {
    const CountRow& row = GetParam();
    EXPECT_EQ(ArcPointCount(row.start, row.end, row.step), row.points);
}

INSTANTIATE_TEST_SUITE_P(Rows, ArcPointCountTest,
                         ::testing::Values(CountRow{"full-turn-in-tens", 0, 360, 10, 37},
                                           CountRow{"quarter-in-halves", 0, 90, 45, 3},
                                           CountRow{"last-step-short-of-the-end", 0, 100, 45, 3},
                                           CountRow{"counting-down", 90, 0, -45, 3},
                                           CountRow{"single-point", 30, 30, 10, 1},
                                           CountRow{"end-behind-the-start", 10, 0, 10, 0},
                                           CountRow{"no-start", std::nanf(""), 10, 1, 0}),
                         RowName());

TEST(ArcStepTest, StepsThatNeverArriveAreRefused) {
    EXPECT_THROW(ArcPointCount(0, 90, 0), PdfUsageError);
    // Beyond 2^24 a step of 1 vanishes in rounding.
    EXPECT_THROW(ArcPointCount(1e9f, 2e9f, 1), PdfUsageError);
    EXPECT_THROW(ArcPointCount(-1e9f, -2e9f, -1), PdfUsageError);
}

TEST(ArcEllipseTest, RatioAndRotation) {
    constexpr float kTol = 1e-5f;  // the single radian factor is off pi/180 by 2e-7
    const ArcEllipse circle(10, 1, 0);
    EXPECT_EQ(circle.At(0).x, 10);
    EXPECT_EQ(circle.At(0).y, 0);
    const ArcEllipse flat(10, 0.5f, 0);
    EXPECT_NEAR(flat.At(90).x, 0, kTol);
    EXPECT_NEAR(flat.At(90).y, 5, kTol);
    // Turned a quarter counter-clockwise, the start of the arc points up.
    const ArcEllipse turned(10, 0.5f, 90);
    EXPECT_NEAR(turned.At(0).x, 0, kTol);
    EXPECT_NEAR(turned.At(0).y, 10, kTol);
    EXPECT_NEAR(turned.At(90).x, -5, kTol);
    EXPECT_NEAR(turned.At(90).y, 0, kTol);
}

// Each point is the single nearest to a point computed in double precision, so
// it lies on the circle to within the rounding of its own two coordinates.
// Sines and cosines taken in single precision miss by several times that.
TEST(ArcEllipseTest, PointsLieOnTheCircleAsCloseAsSinglesAllow) {
    for (const float ray : {3.0f, 250.0f, 1000.0f, 123456.0f}) {
        for (const float rotate : {0.0f, 33.3f}) {
            const ArcEllipse circle(ray, 1, rotate);
            for (float t = -720; t <= 720; t += 0.25f) {
                const PathPoint p = circle.At(t);
                const auto halfUlp = [](float v) {
                    return (std::nextafter(std::fabs(v), INFINITY) - std::fabs(v)) / 2.0;
                };
                // Half an ulp of each coordinate, and the double sums' own rounding.
                const double tol = halfUlp(p.x) + halfUlp(p.y) + ray * 1e-15;
                ASSERT_NEAR(std::hypot(double{p.x}, double{p.y}), ray, tol)
                    << "ray " << ray << " rotate " << rotate << " t " << t;
            }
        }
    }
}

}  // namespace
}  // namespace sundial::pdf
