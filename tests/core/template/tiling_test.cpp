#include "core/template/tiling.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sundial::tmpl
