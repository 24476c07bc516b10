#include "core/plan/segment_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/plan/clip.h"

namespace sundial::plan {

namespace {
constexpr double kMinCellMm = 1;
}  // namespace

SegmentGrid::SegmentGrid(Rect area, int cellsAcross) : area_(area) {
    const double longer = std::max(area.Width(), area.Height());
    cellMm_ = std::max(kMinCellMm, longer / std::max(1, cellsAcross));
    perCellMm_ = 1 / cellMm_;
    columns_ = std::max(1, static_cast<int>(std::ceil(area.Width() / cellMm_)));
    rows_ = std::max(1, static_cast<int>(std::ceil(area.Height() / cellMm_)));
    boxCells_.resize(static_cast<std::size_t>(columns_) * rows_);
}

SegmentGrid::Span SegmentGrid::Cells(const Rect& r) const {
    // Clamped before the cast, so that no coordinate far off (or NaN) can
    // overflow it; one rule for what is added and what is asked, so a box
    // always finds the cells of whatever it overlaps.
    const auto cell = [this](double v, double origin, int count) {
        const double c = (v - origin) * perCellMm_;
        return !(c > 0) ? 0 : c >= count ? count - 1 : static_cast<int>(c);
    };
    return {cell(r.left, area_.left, columns_), cell(r.top, area_.top, rows_),
            cell(r.right, area_.left, columns_), cell(r.bottom, area_.top, rows_)};
}

void SegmentGrid::AddSegment(Point a, Point b) {
    if (!(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y))) {
        return;
    }
    segments_.push_back({a, b});
}

template <typename Visit>
void SegmentGrid::EachCellOf(const Segment& s, Visit&& visit) const {
    const Point a = s.a, b = s.b;
    // A long segment goes in as cell-long pieces, so that a diagonal one
    // fills the cells it crosses rather than its whole bounding box.
    const int pieces = std::max(1, static_cast<int>(std::ceil(Distance(a, b) / cellMm_)));
    std::size_t last = SIZE_MAX;  // a piece's cells start where the one before ended
    for (int k = 0; k < pieces; ++k) {
        const double f0 = static_cast<double>(k) / pieces, f1 = static_cast<double>(k + 1) / pieces;
        const Point p{a.x + f0 * (b.x - a.x), a.y + f0 * (b.y - a.y)};
        const Point q{a.x + f1 * (b.x - a.x), a.y + f1 * (b.y - a.y)};
        const Span c =
            Cells({std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)});
        for (int y = c.y0; y <= c.y1; ++y) {
            for (int x = c.x0; x <= c.x1; ++x) {
                const std::size_t cell = static_cast<std::size_t>(y) * columns_ + x;
                if (cell == last) continue;
                visit(cell);
                last = cell;
            }
        }
    }
}

void SegmentGrid::FileSegments() const {
    // Counted, then placed: one array, no list per cell.
    const std::size_t cells = static_cast<std::size_t>(columns_) * rows_;
    std::vector<std::uint32_t> count(cells, 0);
    for (std::size_t c = 0; c < cells && !cellStart_.empty(); ++c) {
        count[c] = cellStart_[c + 1] - cellStart_[c];
    }
    for (std::size_t i = filedCount_; i < segments_.size(); ++i) {
        EachCellOf(segments_[i], [&](std::size_t cell) { ++count[cell]; });
    }
    std::vector<std::uint32_t> start(cells + 1, 0);
    for (std::size_t c = 0; c < cells; ++c) start[c + 1] = start[c] + count[c];
    std::vector<Segment> filed(start[cells]);
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::size_t c = 0; c < cells && !cellStart_.empty(); ++c) {
        for (std::uint32_t e = cellStart_[c]; e < cellStart_[c + 1]; ++e)
            filed[next[c]++] = filed_[e];
    }
    for (std::size_t i = filedCount_; i < segments_.size(); ++i) {
        EachCellOf(segments_[i], [&](std::size_t cell) { filed[next[cell]++] = segments_[i]; });
    }
    filed_ = std::move(filed);
    cellStart_ = std::move(start);
    filedCount_ = segments_.size();
}

void SegmentGrid::AddBox(const Rect& box) {
    const auto index = static_cast<std::uint32_t>(boxes_.size());
    boxes_.push_back(box);
    boxSeen_.push_back(0);
    const Span s = Cells(box);
    for (int y = s.y0; y <= s.y1; ++y) {
        for (int x = s.x0; x <= s.x1; ++x) {
            boxCells_[static_cast<std::size_t>(y) * columns_ + x].push_back(index);
        }
    }
}

bool SegmentGrid::AnySegmentTouches(const Rect& box) const {
    if (filedCount_ != segments_.size()) FileSegments();
    if (filed_.empty()) return false;
    // A segment filed in several of the cells asked is tested in each: the
    // answer is the same, and cheaper than remembering it.
    const Span s = Cells(box);
    for (int y = s.y0; y <= s.y1; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * columns_;
        const Segment* e = filed_.data() + cellStart_[row + s.x0];
        const Segment* const end = filed_.data() + cellStart_[row + s.x1 + 1];
        for (; e != end; ++e) {
            if (SegmentTouches(e->a, e->b, box)) return true;
        }
    }
    return false;
}

bool SegmentGrid::AnyBoxNear(const Rect& box, double gap) const {
    if (++query_ == 0) {
        // The counter wrapped: forget every mark rather than trust an old one.
        std::fill(boxSeen_.begin(), boxSeen_.end(), 0);
        query_ = 1;
    }
    const Span s = Cells(box.Inset(-gap));
    for (int y = s.y0; y <= s.y1; ++y) {
        for (int x = s.x0; x <= s.x1; ++x) {
            for (const std::uint32_t i : boxCells_[static_cast<std::size_t>(y) * columns_ + x]) {
                if (boxSeen_[i] == query_) continue;
                boxSeen_[i] = query_;
                if (Overlaps(box, boxes_[i], gap)) return true;
            }
        }
    }
    return false;
}

}  // namespace sundial::plan
