#include "core/template/tiling.h"

#include <algorithm>
#include <cmath>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"

namespace sundial::tmpl {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

int TilesAlong(double length, double window) {
    if (length <= window) return 1;
    return 1 + static_cast<int>(std::ceil((length - window) / (window - kOverlapMm) - 1e-9));
}

// Whether some ink of `e` lies inside `r`: a stroke's centre line, a fill, a
// text's box.
bool Reaches(const plan::Element& e, const plan::Rect& r) {
    using plan::Shape;
    switch (e.shape) {
        case Shape::Line:
        case Shape::Polyline:
            return !plan::ClipPolyline(e.points, r).empty();
        case Shape::Circle:
            // The ring's box is close enough: circles are small marks.
            return plan::Overlaps(InkBounds(e), r);
        case Shape::Polygon: {
            if (e.filled && !plan::ClipPolygon(e.points, r).empty()) return true;
            if (e.strokeMm <= 0) return false;
            std::vector<plan::Point> ring = e.points;
            ring.push_back(e.points.front());
            return !plan::ClipPolyline(ring, r).empty();
        }
        case Shape::Text:
            return plan::Overlaps(plan::TextBox(e), r);
    }
    return false;
}

}  // namespace

plan::Rect InkBounds(const plan::Element& e) {
    if (e.shape == plan::Shape::Text) return plan::TextBox(e);
    const double grow = e.radiusMm + e.strokeMm / 2;
    return plan::Bounds(e.points).Inset(-grow);
}

std::vector<plan::Rect> InkBounds(const std::vector<plan::Element>& elements) {
    std::vector<plan::Rect> boxes;
    boxes.reserve(elements.size());
    for (const plan::Element& e : elements) boxes.push_back(InkBounds(e));
    return boxes;
}

PageSize PageSizeOf(PageSetup setup) {
    PageSize size;
    switch (setup.paper) {
        case Paper::A4:
            size = {595.2 * kMmPerPoint, 842.0 * kMmPerPoint};
            break;
        case Paper::Letter:
            size = {612.0 * kMmPerPoint, 792.0 * kMmPerPoint};
            break;
        case Paper::A3:
            size = {842.0 * kMmPerPoint, 1190.5 * kMmPerPoint};
            break;
    }
    if (setup.landscape) std::swap(size.widthMm, size.heightMm);
    return size;
}

int WriterPaperCode(Paper paper) {
    switch (paper) {
        case Paper::A4:
            return 0;
        case Paper::A3:
            return 1;
        case Paper::Letter:
            return 2;
    }
    return 0;
}

plan::Rect TileWindow(PageSetup setup) {
    const PageSize page = PageSizeOf(setup);
    return {kSideMarginMm, kTopMarginMm, page.widthMm - kSideMarginMm,
            page.heightMm - kFootMarginMm};
}

TileGrid TileDrawing(double widthMm, double heightMm, PageSetup setup) {
    TileGrid grid;
    grid.window = TileWindow(setup);
    const double w = grid.window.Width(), h = grid.window.Height();
    grid.columns = TilesAlong(widthMm, w);
    grid.rows = TilesAlong(heightMm, h);
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.columns; ++c) {
            const double left = c * (w - kOverlapMm), top = r * (h - kOverlapMm);
            grid.tiles.push_back({r, c, {left, top, left + w, top + h}});
        }
    }
    return grid;
}

plan::Rect FreshArea(const Tile& tile) {
    plan::Rect fresh = tile.area;
    if (tile.column > 0) fresh.left += kOverlapMm;
    if (tile.row > 0) fresh.top += kOverlapMm;
    return fresh;
}

void DropEmptyTiles(TileGrid& grid, const plan::Drawing& drawing) {
    // Boxes first: most elements are far from most tiles.
    const std::vector<plan::Rect> boxes = InkBounds(drawing.elements);
    const auto empty = [&](const Tile& t) {
        const plan::Rect fresh = FreshArea(t);
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (plan::Overlaps(boxes[i], fresh) && Reaches(drawing.elements[i], fresh))
                return false;
        }
        return true;
    };
    grid.tiles.erase(std::remove_if(grid.tiles.begin(), grid.tiles.end(), empty), grid.tiles.end());
}

const Tile* TileAt(const TileGrid& grid, int row, int column) {
    const auto it = std::lower_bound(grid.tiles.begin(), grid.tiles.end(), std::pair{row, column},
                                     [](const Tile& t, std::pair<int, int> at) {
                                         return std::pair{t.row, t.column} < at;
                                     });
    if (it == grid.tiles.end() || it->row != row || it->column != column) return nullptr;
    return &*it;
}

std::vector<plan::Point> AlignmentMarkCentres(const TileGrid& grid,
                                              const std::vector<plan::Rect>& words) {
    // Trial places along the strip, nearest first, up to a quarter of the
    // edge either way: a mark stays in its half of the edge.
    constexpr double kTrialStepMm = 2.5;
    const auto clear = [&](plan::Point c) {
        const plan::Rect reach{c.x - kAlignReachMm, c.y - kAlignReachMm, c.x + kAlignReachMm,
                               c.y + kAlignReachMm};
        return std::none_of(words.begin(), words.end(),
                            [&](const plan::Rect& w) { return plan::Overlaps(reach, w); });
    };
    std::vector<plan::Point> centres;
    // `at(t)` a point of the strip, `length` the edge's.
    const auto place = [&](const auto& at, double length) {
        for (const double home : {length / 4, 3 * length / 4}) {
            plan::Point chosen = at(home);
            for (double shift = 0; shift <= length / 4; shift += kTrialStepMm) {
                if (clear(at(home - shift))) {
                    chosen = at(home - shift);
                    break;
                }
                if (clear(at(home + shift))) {
                    chosen = at(home + shift);
                    break;
                }
            }
            centres.push_back(chosen);
        }
    };
    // A mark only where both tiles it joins are printed.
    for (const Tile& t : grid.tiles) {
        const plan::Rect& a = t.area;
        if (TileAt(grid, t.row, t.column + 1)) {
            const double x = a.right - kOverlapMm / 2;
            place([&](double d) { return plan::Point{x, a.top + d}; }, a.Height());
        }
        if (TileAt(grid, t.row + 1, t.column)) {
            const double y = a.bottom - kOverlapMm / 2;
            place([&](double d) { return plan::Point{a.left + d, y}; }, a.Width());
        }
    }
    return centres;
}

plan::Point OnPage(const Tile& tile, const plan::Rect& window, plan::Point p) {
    return {window.left + p.x - tile.area.left, window.top + p.y - tile.area.top};
}

}  // namespace sundial::tmpl
