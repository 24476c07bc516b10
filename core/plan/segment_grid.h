// A uniform grid over an area that finds, for a box, the line segments and
// the boxes near it: a label's trial places are then checked against the
// few lines around them instead of every line on the plate.
//
// Millimetres in the plate frame (x right, y down). Segments and boxes may
// lie partly or wholly outside the area; they are kept in the edge cells and
// still found.
#pragma once

#include <cstdint>
#include <vector>

#include "core/plan/drawing.h"

namespace sundial::plan {

class SegmentGrid {
  public:
    // About `cellsAcross` cells along the area's longer side.
    explicit SegmentGrid(Rect area, int cellsAcross = 64);

    void AddSegment(Point a, Point b);
    void AddBox(const Rect& box);

    // Whether any segment touches `box`.
    bool AnySegmentTouches(const Rect& box) const;
    // Whether any box comes closer than `gap` to `box`.
    bool AnyBoxNear(const Rect& box, double gap) const;

  private:
    struct Span {
        int x0, y0, x1, y1;  // cell columns and rows, inclusive
    };
    Span Cells(const Rect& r) const;
    template <typename Visit>
    bool AnyIn(const std::vector<std::vector<std::uint32_t>>& cells, const Rect& r,
               std::vector<std::uint32_t>& seen, Visit&& visit) const;

    Rect area_;
    double cellMm_;
    double perCellMm_;  // cells a millimetre
    int columns_, rows_;
    struct Segment {
        Point a, b;
    };
    std::vector<Segment> segments_;
    std::vector<Rect> boxes_;
    // Per cell, the indices of the segments and the boxes that reach it.
    std::vector<std::vector<std::uint32_t>> segmentCells_;
    std::vector<std::vector<std::uint32_t>> boxCells_;
    // The query an item was last looked at by, so each is tested once.
    mutable std::vector<std::uint32_t> segmentSeen_, boxSeen_;
    mutable std::uint32_t query_ = 0;
};

}  // namespace sundial::plan
