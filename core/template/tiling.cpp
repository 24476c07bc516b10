#include "core/template/tiling.h"

#include <algorithm>
#include <cmath>

namespace sundial::tmpl {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

int TilesAlong(double length, double window) {
    if (length <= window) return 1;
    return 1 + static_cast<int>(std::ceil((length - window) / (window - kOverlapMm) - 1e-9));
}

}  // namespace

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

plan::Point OnPage(const Tile& tile, const plan::Rect& window, plan::Point p) {
    return {window.left + p.x - tile.area.left, window.top + p.y - tile.area.top};
}

}  // namespace sundial::tmpl
