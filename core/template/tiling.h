// How a full-size drawing is split over printed pages. Page positions are in
// millimetres on the page as it is seen (landscape pages turned), origin at
// the top left, y down.
#pragma once

#include <vector>

#include "core/plan/drawing.h"

namespace sundial::tmpl {

enum class Paper { A4, Letter, A3 };

struct PageSetup {
    Paper paper = Paper::A4;
    bool landscape = false;
};

struct PageSize {
    double widthMm = 0;
    double heightMm = 0;
};

// The PDF writer's paper (A4 595.2 x 842 points, Letter 612 x 792, A3 842 x
// 1190.5), turned for landscape.
PageSize PageSizeOf(PageSetup setup);
// The writer's code for the paper.
int WriterPaperCode(Paper paper);

// Neighbouring tiles show the same 10 mm strip of the drawing.
inline constexpr double kOverlapMm = 10;
inline constexpr double kSideMarginMm = 10;
inline constexpr double kTopMarginMm = 14;
// The tile's name and the 100 mm bar, their last ink 16.5 mm under the window:
// no more than printers need below it, so that four A4 tiles cover a metre.
inline constexpr double kFootMarginMm = 25;

// The part of a page a tile's drawing occupies.
plan::Rect TileWindow(PageSetup setup);

struct Tile {
    int row = 0;      // from 0, top to bottom
    int column = 0;   // from 0, left to right
    plan::Rect area;  // the part of the drawing it shows, drawing mm
};

struct TileGrid {
    int rows = 0;
    int columns = 0;
    plan::Rect window;        // on the page
    std::vector<Tile> tiles;  // row by row; a grid place may be left empty
};

// Tiles of one window each, stepping by the window less the overlap, enough
// to cover width x height: every place of the grid.
TileGrid TileDrawing(double widthMm, double heightMm, PageSetup setup);

// The rectangle an element's ink can reach: its points with a circle's
// radius and half its stroke around them, or a text's box. Outside it a
// tile shows nothing of the element.
plan::Rect InkBounds(const plan::Element& e);
// Each element's, in order.
std::vector<plan::Rect> InkBounds(const std::vector<plan::Element>& elements);

// The part of a tile no tile before it shows (those above it and to its
// left): its area less the overlap strips along its top and left edges.
plan::Rect FreshArea(const Tile& tile);

// Leaves out every tile whose fresh area nothing of `drawing` reaches: what
// it would show is blank or already on the tiles before it. Every point of
// the drawing stays on a kept tile, and the kept tiles keep their places
// (and so their names) in the grid.
void DropEmptyTiles(TileGrid& grid, const plan::Drawing& drawing);

// The tile at a place of the grid, or null when that place was left out.
const Tile* TileAt(const TileGrid& grid, int row, int column);

// The alignment marks' reach about their centres: a ring and its cross.
inline constexpr double kAlignReachMm = 5;

// The centres of the marks that line neighbouring tiles up, drawing mm: two
// in the middle of each strip two printed tiles share, a quarter of the way
// in from each end, each slid along its strip to the nearest place whose
// reach keeps clear of every box of `words` (where there is one).
std::vector<plan::Point> AlignmentMarkCentres(const TileGrid& grid,
                                              const std::vector<plan::Rect>& words);

// Where a drawing point lands on the tile's page.
plan::Point OnPage(const Tile& tile, const plan::Rect& window, plan::Point p);

}  // namespace sundial::tmpl
