#include "core/plan/labels.h"

#include <algorithm>
#include <cmath>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"

namespace sundial::plan {

namespace {

constexpr int kStationsPerArc = 120;
constexpr double kClearanceMm = 0.8;  // between a label and its own line
// Runs whose ends lie this near are one arc (the halves of a figure-eight
// meet at a solstice's shared point).
constexpr double kJoinMm = 0.01;
// A line's ink reaches half its stroke beyond its centre: the box is checked
// grown by this much.
constexpr double kInkMm = 0.25;

constexpr double kLabelScales[] = {1, 0.8, 0.6, 0.45, 0.3};
constexpr double kMinLabelMm = 2.5;

bool Near(Point a, Point b) {
    return Distance(a, b) <= kJoinMm;
}

// The point `s` mm along `arc` from its start (`along` holds each vertex's).
Point At(const std::vector<Point>& arc, const std::vector<double>& along, double s) {
    const auto upper = std::upper_bound(along.begin(), along.end(), s);
    const std::size_t i =
        std::clamp<std::size_t>(static_cast<std::size_t>(upper - along.begin()), 1, arc.size() - 1);
    const double span = along[i] - along[i - 1];
    const double f = span > 0 ? std::clamp((s - along[i - 1]) / span, 0.0, 1.0) : 0;
    return {arc[i - 1].x + f * (arc[i].x - arc[i - 1].x),
            arc[i - 1].y + f * (arc[i].y - arc[i - 1].y)};
}

}  // namespace

std::vector<std::vector<Point>> Arcs(const std::vector<std::vector<Point>>& path) {
    std::vector<std::vector<Point>> arcs;
    for (const auto& run : path) {
        if (run.size() < 2) continue;
        if (!arcs.empty() && Near(arcs.back().back(), run.front())) {
            arcs.back().insert(arcs.back().end(), run.begin() + 1, run.end());
        } else if (!arcs.empty() && Near(arcs.back().back(), run.back())) {
            arcs.back().insert(arcs.back().end(), run.rbegin() + 1, run.rend());
        } else {
            arcs.push_back(run);
        }
    }
    // A closed path's last arc may run on into its first.
    if (arcs.size() > 1 && Near(arcs.back().back(), arcs.front().front())) {
        arcs.back().insert(arcs.back().end(), arcs.front().begin() + 1, arcs.front().end());
        arcs.front() = std::move(arcs.back());
        arcs.pop_back();
    }
    return arcs;
}

void LabelPlacer::AddLines(const std::vector<std::vector<Point>>& paths) {
    for (const auto& run : paths) {
        for (std::size_t i = 1; i < run.size(); ++i) grid_.AddSegment(run[i - 1], run[i]);
    }
}

void LabelPlacer::Ask(const std::vector<std::vector<Point>>& path, std::string text,
                      std::string what, double sizeMm, Role role, std::uint32_t colour,
                      std::optional<double> hour) {
    Element label = MakeText(role, {}, std::move(text), sizeMm, Anchor::Middle, false, colour);
    label.hour = hour;
    requests_.push_back({path, std::move(label), std::move(what)});
}

LabelPlacer::Arc::Arc(std::vector<Point> arcPoints) : points(std::move(arcPoints)) {
    along.assign(points.size(), 0.0);
    for (std::size_t i = 1; i < points.size(); ++i)
        along[i] = along[i - 1] + Distance(points[i - 1], points[i]);
    total = along.back();
    if (!(total > 0)) return;
    for (int k = 0; k <= kStationsPerArc; ++k) {
        stations.push_back(At(points, along, total * k / kStationsPerArc));
    }
}

std::optional<Element> LabelPlacer::PlaceOnArc(const Arc& arc, const Element& label) {
    if (!(arc.total > 0)) return std::nullopt;
    const double total = arc.total;
    const double size = label.textSizeMm;
    const double gap = 0.3 * size;
    const double halfCap = kCapHeight * size / 2;
    Element trial = label;
    // The text is measured once: every trial box is this one moved.
    trial.points = {{0, 0}};
    trial.anchor = Anchor::Start;
    const Rect measured = TextBox(trial);
    const auto boxAt = [&](Point baseline, Anchor anchor) {
        const double shift = anchor == Anchor::Start    ? 0
                             : anchor == Anchor::Middle ? measured.Width() / 2
                                                        : measured.Width();
        return Rect{measured.left + baseline.x - shift, measured.top + baseline.y,
                    measured.right + baseline.x - shift, measured.bottom + baseline.y};
    };
    // Lines turn down nearly every trial place: they are asked first.
    const auto clear = [&](Point baseline, Anchor anchor) {
        const Rect box = boxAt(baseline, anchor);
        if (!area_.ContainsRect(box) || grid_.AnySegmentTouches(box.Inset(-kInkMm)) ||
            grid_.AnyBoxNear(box, gap)) {
            return false;
        }
        trial.points = {baseline};
        trial.anchor = anchor;
        grid_.AddBox(box);
        return true;
    };
    // Just beyond an end, on the arc's own heading: the label reads as the
    // line's name where it starts (or, failing all else, where it ends).
    const double hw = measured.Width() / 2 + kClearanceMm;
    const double hh = measured.Height() / 2 + kClearanceMm;
    const auto beyond = [&](Point end, Point inner) {
        const double len = Distance(end, inner);
        if (!(len > 0)) return false;
        const Point d{(end.x - inner.x) / len, (end.y - inner.y) / len};
        const double t = std::min(std::fabs(d.x) > 1e-9 ? hw / std::fabs(d.x) : HUGE_VAL,
                                  std::fabs(d.y) > 1e-9 ? hh / std::fabs(d.y) : HUGE_VAL);
        // Where lines end close together (the solstice's neighbours), the
        // labels stack across their ends, each as near its own as room allows.
        const Point n{-d.y, d.x};
        const double step = std::fabs(n.x) * (2 * hw + gap) + std::fabs(n.y) * (2 * hh + gap);
        for (const int j : {0, 1, -1, 2, -2}) {
            const Point c{end.x + t * d.x + j * step * n.x, end.y + t * d.y + j * step * n.y};
            if (clear(CentredBaseline(c, size), Anchor::Middle)) return true;
        }
        return false;
    };
    const std::vector<Point>& points = arc.points;
    if (beyond(points.front(), At(points, arc.along, std::min(total, hw)))) return trial;
    // Above, below, right of and left of each station in turn, from the
    // arc's start: the first clear place is the label's.
    for (const Point p : arc.stations) {
        if (clear({p.x, p.y - kClearanceMm - kDescent * size}, Anchor::Middle) ||
            clear({p.x, p.y + kClearanceMm + kCapHeight * size}, Anchor::Middle) ||
            clear({p.x + kClearanceMm + gap, p.y + halfCap}, Anchor::Start) ||
            clear({p.x - kClearanceMm - gap, p.y + halfCap}, Anchor::End)) {
            return trial;
        }
    }
    if (beyond(points.back(), At(points, arc.along, std::max(0.0, total - hw)))) return trial;
    return std::nullopt;
}

LabelPlacer::Placed LabelPlacer::PlaceAll() {
    Placed out;
    for (const Request& r : requests_) {
        const auto arcs = Arcs(r.path);
        int missed = 0;
        for (const auto& arcPoints : arcs) {
            const Arc arc(arcPoints);
            // Where lines crowd, a smaller label finds the room a full-size
            // one lacks; never smaller than can be read.
            std::optional<Element> label;
            Element sized = r.label;
            for (const double scale : kLabelScales) {
                sized.textSizeMm = std::max(kMinLabelMm, scale * r.label.textSizeMm);
                label = PlaceOnArc(arc, sized);
                if (label || sized.textSizeMm <= kMinLabelMm) break;
            }
            if (label) {
                out.labels.push_back(std::move(*label));
            } else {
                ++missed;
            }
        }
        if (missed == 0) continue;
        out.notes.push_back(
            missed == static_cast<int>(arcs.size())
                ? "No clear place for the label of " + r.what + ": it is left unlabelled."
                : "No clear place for the label of " + r.what + " on " + std::to_string(missed) +
                      " of its " + std::to_string(arcs.size()) + " arcs.");
    }
    requests_.clear();
    return out;
}

}  // namespace sundial::plan
