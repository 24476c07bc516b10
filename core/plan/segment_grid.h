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
    struct Segment {
        Point a, b;
    };
    Span Cells(const Rect& r) const;
    // The cells each cell-long piece of a segment reaches; one just visited
    // is not visited again at once.
    template <typename Visit>
    void EachCellOf(const Segment& s, Visit&& visit) const;
    // Files the segments added since the last question by cell.
    void FileSegments() const;

    Rect area_;
    double cellMm_;
    double perCellMm_;  // cells a millimetre
    int columns_, rows_;
    std::vector<Segment> segments_;
    // The segments by cell, each held whole where it is filed: a question
    // reads one cell's run straight through. `cellStart_` has a cell's first
    // entry, and one past the last cell's last.
    mutable std::vector<Segment> filed_;
    mutable std::vector<std::uint32_t> cellStart_;
    mutable std::size_t filedCount_ = 0;  // of segments_
    std::vector<Rect> boxes_;
    std::vector<std::vector<std::uint32_t>> boxCells_;
    mutable std::vector<std::uint32_t> boxSeen_;
    mutable std::uint32_t query_ = 0;
};

}  // namespace sundial::plan
