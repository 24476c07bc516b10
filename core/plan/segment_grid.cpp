#include "core/plan/segment_grid.h"

#include <algorithm>
#include <cmath>

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
    segmentCells_.resize(static_cast<std::size_t>(columns_) * rows_);
    boxCells_.resize(segmentCells_.size());
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
    const auto index = static_cast<std::uint32_t>(segments_.size());
    segments_.push_back({a, b});
    segmentSeen_.push_back(0);
    // A long segment goes in as cell-long pieces, so that a diagonal one
    // fills the cells it crosses rather than its whole bounding box.
    const int pieces = std::max(1, static_cast<int>(std::ceil(Distance(a, b) / cellMm_)));
    for (int k = 0; k < pieces; ++k) {
        const double f0 = static_cast<double>(k) / pieces, f1 = static_cast<double>(k + 1) / pieces;
        const Point p{a.x + f0 * (b.x - a.x), a.y + f0 * (b.y - a.y)};
        const Point q{a.x + f1 * (b.x - a.x), a.y + f1 * (b.y - a.y)};
        const Span s =
            Cells({std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)});
        for (int y = s.y0; y <= s.y1; ++y) {
            for (int x = s.x0; x <= s.x1; ++x) {
                auto& cell = segmentCells_[static_cast<std::size_t>(y) * columns_ + x];
                if (cell.empty() || cell.back() != index) cell.push_back(index);
            }
        }
    }
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

template <typename Visit>
bool SegmentGrid::AnyIn(const std::vector<std::vector<std::uint32_t>>& cells, const Rect& r,
                        std::vector<std::uint32_t>& seen, Visit&& visit) const {
    if (++query_ == 0) {
        // The counter wrapped: forget every mark rather than trust an old one.
        std::fill(segmentSeen_.begin(), segmentSeen_.end(), 0);
        std::fill(boxSeen_.begin(), boxSeen_.end(), 0);
        query_ = 1;
    }
    const Span s = Cells(r);
    for (int y = s.y0; y <= s.y1; ++y) {
        for (int x = s.x0; x <= s.x1; ++x) {
            for (const std::uint32_t i : cells[static_cast<std::size_t>(y) * columns_ + x]) {
                if (seen[i] == query_) continue;
                seen[i] = query_;
                if (visit(i)) return true;
            }
        }
    }
    return false;
}

bool SegmentGrid::AnySegmentTouches(const Rect& box) const {
    return AnyIn(segmentCells_, box, segmentSeen_, [&](std::uint32_t i) {
        const Segment& s = segments_[i];
        return SegmentTouches(s.a, s.b, box);
    });
}

bool SegmentGrid::AnyBoxNear(const Rect& box, double gap) const {
    return AnyIn(boxCells_, box.Inset(-gap), boxSeen_,
                 [&](std::uint32_t i) { return Overlaps(box, boxes_[i], gap); });
}

}  // namespace sundial::plan
