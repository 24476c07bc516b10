#include "core/template/tiling.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"
#include "tests/core/template/template_plans.h"

namespace sundial::tmpl {
namespace {

constexpr double kTol = 1e-9;

// Enough tiles to cover the drawing and no more, neighbours sharing 10 mm.
TEST(Tiling, CoversTheDrawingWithOverlappingTiles) {
    const struct {
        const char* name;
        double w, h;
        PageSetup setup;
        int rows, columns;
    } rows[] = {
        {"fits one A4", 150, 200, {Paper::A4, false}, 1, 1},
        {"exactly one window", 189.97, 255.03, {Paper::A4, false}, 1, 1},
        {"issue plan on A4", 600, 500, {Paper::A4, false}, 2, 4},
        {"issue plan on A4 landscape", 600, 500, {Paper::A4, true}, 4, 3},
        {"metre on A3", 1000, 1000, {Paper::A3, false}, 3, 4},
        {"letter landscape strip", 2000, 100, {Paper::Letter, true}, 1, 8},
    };
    for (const auto& r : rows) {
        const TileGrid g = TileDrawing(r.w, r.h, r.setup);
        EXPECT_EQ(g.rows, r.rows) << r.name;
        EXPECT_EQ(g.columns, r.columns) << r.name;
        ASSERT_EQ(g.tiles.size(), static_cast<size_t>(g.rows * g.columns)) << r.name;
        const Tile& last = g.tiles.back();
        EXPECT_GE(last.area.right, r.w - kTol) << r.name;
        EXPECT_GE(last.area.bottom, r.h - kTol) << r.name;
        // One tile fewer either way would not do.
        EXPECT_TRUE(g.columns == 1 || last.area.left + kOverlapMm < r.w) << r.name;
        EXPECT_TRUE(g.rows == 1 || last.area.top + kOverlapMm < r.h) << r.name;
        for (const Tile& t : g.tiles) {
            EXPECT_NEAR(t.area.Width(), g.window.Width(), kTol);
            if (t.column > 0) {
                const Tile& left = g.tiles[static_cast<size_t>(t.row * g.columns + t.column - 1)];
                EXPECT_NEAR(left.area.right - t.area.left, kOverlapMm, kTol) << r.name;
            }
        }
    }
}

TEST(Tiling, PaperAsTheWriterHasIt) {
    constexpr double kMmTol = 0.01;
    EXPECT_NEAR(PageSizeOf({Paper::A4, false}).widthMm, 209.97, kMmTol);
    EXPECT_NEAR(PageSizeOf({Paper::A4, true}).widthMm, 297.04, kMmTol);
    EXPECT_NEAR(PageSizeOf({Paper::Letter, false}).heightMm, 279.4, kMmTol);
    EXPECT_NEAR(PageSizeOf({Paper::A3, false}).heightMm, 419.99, kMmTol);
}

TEST(Tiling, DrawingPointsLandInTheWindowOfEveryTileThatShowsThem) {
    const TileGrid g = TileDrawing(600, 500, {Paper::A4, false});
    const plan::Point p{185, 100};  // in the overlap of columns 1 and 2 only
    int shown = 0;
    for (const Tile& t : g.tiles) {
        if (!t.area.Contains(p)) continue;
        ++shown;
        const plan::Point onPage = OnPage(t, g.window, p);
        EXPECT_TRUE(g.window.Contains(onPage, kTol));
    }
    EXPECT_EQ(shown, 2);
}

// Tiles that show nothing new are left out, and nothing of the dial goes
// with them: every stroke, sampled each millimetre, and every text's anchor
// lie on a printed tile.
TEST(Tiling, LeavesOutOnlyTilesThatShowNothingNew) {
    const struct {
        const char* name;
        double w, h;
        PageSetup setup;
        size_t printed;
    } rows[] = {
        {"issue plate on A4", 600, 450, {Paper::A4, false}, 8},
        // Four rows hold the plate; of the fifth only the tiles under the title
        // strip and the lines reaching it.
        {"metre and a half on A4", 1500, 1000, {Paper::A4, false}, 4 * 9 + 5},
        {"five metres on letter landscape", 5000, 5000, {Paper::Letter, true}, 542},
    };
    for (const auto& r : rows) {
        const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions(r.w, r.h));
        TileGrid grid = TileDrawing(p.dial.widthMm, p.dial.heightMm, r.setup);
        DropEmptyTiles(grid, p.dial);
        EXPECT_EQ(grid.tiles.size(), r.printed) << r.name;
        const auto printed = [&](plan::Point q) {
            return std::any_of(grid.tiles.begin(), grid.tiles.end(),
                               [&](const Tile& t) { return t.area.Contains(q, kTol); });
        };
        for (const plan::Element& e : p.dial.elements) {
            ASSERT_TRUE(printed(e.points[0])) << r.name << " " << e.text;
            for (size_t i = 1; i < e.points.size(); ++i) {
                const plan::Point a = e.points[i - 1], b = e.points[i];
                for (double f = 0; f <= 1; f += 1 / (1 + plan::Distance(a, b))) {
                    const plan::Point q{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
                    ASSERT_TRUE(printed(q)) << r.name << ": " << q.x << ", " << q.y;
                }
            }
        }
    }
}

// The marks that line the tiles up, two to each edge two printed tiles
// share, never stand over a word of the drawing, which they would hide.
TEST(Tiling, AlignmentMarksKeepOffTheWords) {
    plan::PlanOptions reclined = testing::IssueOptions(600, 450);
    reclined.plane = engine::Plane{180, 40};
    reclined.nodusMm = 0;
    reclined.dateLines = false;
    const struct {
        const char* name;
        plan::PlanOptions options;
        bool gnomon;
        PageSetup setup;
    } rows[] = {
        {"issue plate", testing::IssueOptions(600, 450), false, {Paper::A4, false}},
        {"metre plate", testing::IssueOptions(1000, 1000), false, {Paper::A3, true}},
        {"reclined gnomon", reclined, true, {Paper::A4, false}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const plan::Plan p = testing::PlanFor(testing::London(), r.options);
        const plan::Drawing& drawing = r.gnomon ? p.gnomon : p.dial;
        TileGrid grid = TileDrawing(drawing.widthMm, drawing.heightMm, r.setup);
        DropEmptyTiles(grid, drawing);
        std::vector<plan::Rect> words;
        for (const plan::Element& e : drawing.elements) {
            if (e.shape == plan::Shape::Text) words.push_back(plan::TextBox(e));
        }
        const std::vector<plan::Point> centres = AlignmentMarkCentres(grid, words);
        std::size_t shared = 0;
        for (const Tile& t : grid.tiles) {
            shared += (TileAt(grid, t.row, t.column + 1) != nullptr) +
                      (TileAt(grid, t.row + 1, t.column) != nullptr);
        }
        ASSERT_EQ(centres.size(), 2 * shared);
        ASSERT_GT(shared, 0u);
        for (const plan::Point c : centres) {
            const plan::Rect reach{c.x - kAlignReachMm, c.y - kAlignReachMm, c.x + kAlignReachMm,
                                   c.y + kAlignReachMm};
            for (const plan::Rect& w : words) {
                EXPECT_FALSE(plan::Overlaps(reach, w)) << "mark at " << c.x << ", " << c.y;
            }
        }
    }
}

}  // namespace
}  // namespace sundial::tmpl
