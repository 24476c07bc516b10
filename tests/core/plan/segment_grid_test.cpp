// The grid answers as a look at every segment and box would, wherever they
// lie: inside the area, across it, or wholly outside.
#include "core/plan/segment_grid.h"

#include <gtest/gtest.h>

#include <random>

#include "core/plan/clip.h"

namespace sundial::plan {
namespace {

TEST(SegmentGrid, AnswersAsATestOfEverySegmentAndBox) {
    const Rect area{0, 0, 600, 450};
    std::mt19937 random(23);  // fixed: the same cases every run
    // Reaching beyond the area, so that edge cells hold outsiders.
    std::uniform_real_distribution<double> x(-100, 700), y(-100, 550), size(0.5, 40);
    for (const int cells : {1, 7, 64}) {
        SCOPED_TRACE(cells);
        SegmentGrid grid(area, cells);
        std::vector<std::pair<Point, Point>> segments;
        std::vector<Rect> boxes;
        for (int i = 0; i < 300; ++i) {
            const Point a{x(random), y(random)};
            // Short ones and ones across the whole area.
            const Point b = i % 3 == 0 ? Point{x(random), y(random)}
                                       : Point{a.x + size(random), a.y - size(random)};
            segments.emplace_back(a, b);
            grid.AddSegment(a, b);
            if (i % 5 == 0) {
                const Point c{x(random), y(random)};
                boxes.push_back({c.x, c.y, c.x + size(random), c.y + size(random)});
                grid.AddBox(boxes.back());
            }
        }
        int touched = 0, near = 0;  // each answer must come up often
        for (int q = 0; q < 2000; ++q) {
            // Lines added after the first questions are found too.
            if (q == 1000) {
                for (int i = 0; i < 100; ++i) {
                    const Point a{x(random), y(random)}, b{x(random), y(random)};
                    segments.emplace_back(a, b);
                    grid.AddSegment(a, b);
                }
            }
            const Point c{x(random), y(random)};
            const Rect box{c.x, c.y, c.x + size(random), c.y + size(random) / 2};
            bool segment = false, other = false;
            for (const auto& [a, b] : segments) segment = segment || SegmentTouches(a, b, box);
            for (const Rect& r : boxes) other = other || Overlaps(box, r, 2);
            ASSERT_EQ(grid.AnySegmentTouches(box), segment) << q;
            ASSERT_EQ(grid.AnyBoxNear(box, 2), other) << q;
            touched += segment;
            near += other;
        }
        EXPECT_GT(touched, 200);
        EXPECT_GT(near, 50);
    }
}

}  // namespace
}  // namespace sundial::plan
