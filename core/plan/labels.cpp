#include "core/plan/labels.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"

namespace sundial::plan {

namespace {

constexpr int kStationsPerRun = 80;
constexpr double kClearanceMm = 0.8;  // between a label and its own line

int Crossings(const std::vector<Segment>& segments, const Rect& box) {
    int n = 0;
    for (const Segment& s : segments) {
        // Most segments are nowhere near: a cheap test first.
        if (std::max(s.first.x, s.second.x) < box.left ||
            std::min(s.first.x, s.second.x) > box.right ||
            std::max(s.first.y, s.second.y) < box.top ||
            std::min(s.first.y, s.second.y) > box.bottom) {
            continue;
        }
        n += SegmentTouches(s.first, s.second, box);
    }
    return n;
}

constexpr size_t kChunkSegments = 16;

}  // namespace

void LabelPlacer::AddBlocking(const std::vector<std::vector<Point>>& paths) {
    for (const auto& path : paths) {
        for (size_t start = 1; start < path.size(); start += kChunkSegments) {
            const size_t end = std::min(path.size(), start + kChunkSegments);
            Chunk chunk;
            chunk.bounds = Bounds({path.begin() + static_cast<std::ptrdiff_t>(start - 1),
                                   path.begin() + static_cast<std::ptrdiff_t>(end)});
            for (size_t i = start; i < end; ++i) chunk.segments.push_back({path[i - 1], path[i]});
            blocking_.push_back(std::move(chunk));
        }
    }
}

std::optional<Element> LabelPlacer::Place(const std::vector<std::vector<Point>>& path,
                                          std::string text, double sizeMm, Role role,
                                          std::uint32_t colour) {
    Element label = MakeText(role, {}, std::move(text), sizeMm, Anchor::Middle, false, colour);
    const double gap = 0.3 * sizeMm;
    // Its own path is among the blocking ones; a label may cut across it (a
    // sloping path under a long label) at the cost of a soft crossing.
    std::vector<Segment> own;
    for (const auto& run : path) {
        for (size_t i = 1; i < run.size(); ++i) own.push_back({run[i - 1], run[i]});
    }

    struct Best {
        double score = std::numeric_limits<double>::infinity();
        Point baseline;
        Rect box;
    } best;
    for (const auto& run : path) {
        // Stations evenly along the run, by length.
        std::vector<double> along(run.size(), 0.0);
        for (size_t i = 1; i < run.size(); ++i)
            along[i] = along[i - 1] + Distance(run[i - 1], run[i]);
        const double total = along.back();
        if (total <= 0) continue;
        size_t seg = 1;
        for (int k = 0; k <= kStationsPerRun; ++k) {
            const double s = total * k / kStationsPerRun;
            while (seg + 1 < run.size() && along[seg] < s) ++seg;
            const double span = along[seg] - along[seg - 1];
            const double f = span > 0 ? (s - along[seg - 1]) / span : 0;
            const Point p{run[seg - 1].x + f * (run[seg].x - run[seg - 1].x),
                          run[seg - 1].y + f * (run[seg].y - run[seg - 1].y)};
            for (const bool above : {true, false}) {
                label.points = {{p.x, 0}};
                label.points[0].y =
                    above ? p.y - kClearanceMm : p.y + kClearanceMm + kCapHeight * sizeMm;
                label.anchor = Anchor::Middle;
                const Rect box = TextBox(label);
                if (!area_.ContainsRect(box)) continue;
                bool clearOfBoxes = true;
                for (const Rect& taken : boxes_)
                    clearOfBoxes = clearOfBoxes && !Overlaps(box, taken, gap);
                if (!clearOfBoxes) continue;
                // Crossing a line it must not cross costs more than any amount
                // of the rest.
                // A place across another date line is never taken: count the
                // rest only for places clear of them.
                const int ownCrossings = Crossings(own, box);
                int blocking = 0;
                for (const Chunk& chunk : blocking_) {
                    if (Overlaps(chunk.bounds, box)) blocking += Crossings(chunk.segments, box);
                }
                if (blocking > ownCrossings) continue;
                const double score =
                    1e3 * (Crossings(soft_, box) + ownCrossings) + std::min(s, total - s);
                if (score < best.score) best = {score, label.points[0], box};
            }
        }
    }
    // A label across another date line would be read against the wrong one:
    // better none.
    if (!std::isfinite(best.score)) return std::nullopt;
    label.points = {best.baseline};
    boxes_.push_back(best.box);
    return label;
}

}  // namespace sundial::plan
