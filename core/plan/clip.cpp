#include "core/plan/clip.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace sundial::plan {

std::optional<std::pair<Point, Point>> ClipSegment(Point a, Point b, const Rect& r) {
    // Liang-Barsky: the segment is a + t (b - a), t in [0, 1]; each edge cuts t.
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return std::nullopt;
    }
    return std::pair{Point{a.x + t0 * dx, a.y + t0 * dy}, Point{a.x + t1 * dx, a.y + t1 * dy}};
}

std::vector<std::vector<Point>> ClipPolyline(const std::vector<Point>& path, const Rect& r) {
    std::vector<std::vector<Point>> runs;
    std::vector<Point> run;
    const auto close = [&] {
        if (run.size() >= 2) runs.push_back(std::move(run));
        run.clear();
    };
    // Which sides of the rectangle a point lies beyond, one bit a side.
    const auto beyond = [&r](Point p) {
        return (p.x < r.left ? 1 : 0) | (p.x > r.right ? 2 : 0) | (p.y < r.top ? 4 : 0) |
               (p.y > r.bottom ? 8 : 0);
    };
    int from = path.empty() ? 0 : beyond(path[0]);
    for (size_t i = 1; i < path.size(); ++i) {
        const int to = beyond(path[i]);
        const int sides = from | to;
        const int shared = from & to;
        from = to;
        // Most segments of a long line lie wholly inside or wholly beyond one
        // side: neither needs cutting.
        if (shared != 0) {
            close();
            continue;
        }
        const auto piece = sides == 0 ? std::optional(std::pair{path[i - 1], path[i]})
                                      : ClipSegment(path[i - 1], path[i], r);
        if (!piece) {
            close();
            continue;
        }
        const bool continues =
            !run.empty() && run.back().x == piece->first.x && run.back().y == piece->first.y;
        if (!continues) {
            close();
            run.push_back(piece->first);
        }
        run.push_back(piece->second);
        // Leaving the rectangle ends this run.
        if (piece->second.x != path[i].x || piece->second.y != path[i].y) close();
    }
    close();
    return runs;
}

std::vector<Point> ClipPolygon(const std::vector<Point>& polygon, const Rect& r) {
    // Sutherland-Hodgman, one edge of the rectangle at a time.
    const auto atX = [](Point a, Point b, double x) {
        return Point{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
    };
    const auto atY = [](Point a, Point b, double y) {
        return Point{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
    };
    std::vector<Point> out = polygon;
    for (int edge = 0; edge < 4 && !out.empty(); ++edge) {
        const auto inside = [&](Point p) {
            switch (edge) {
                case 0:
                    return p.x >= r.left;
                case 1:
                    return p.x <= r.right;
                case 2:
                    return p.y >= r.top;
                default:
                    return p.y <= r.bottom;
            }
        };
        const auto cross = [&](Point a, Point b) {
            switch (edge) {
                case 0:
                    return atX(a, b, r.left);
                case 1:
                    return atX(a, b, r.right);
                case 2:
                    return atY(a, b, r.top);
                default:
                    return atY(a, b, r.bottom);
            }
        };
        std::vector<Point> in = std::move(out);
        out.clear();
        for (size_t i = 0; i < in.size(); ++i) {
            const Point cur = in[i];
            const Point prev = in[(i + in.size() - 1) % in.size()];
            if (inside(cur)) {
                if (!inside(prev)) out.push_back(cross(prev, cur));
                out.push_back(cur);
            } else if (inside(prev)) {
                out.push_back(cross(prev, cur));
            }
        }
    }
    return out;
}

double RayExit(Point origin, Point dir, const Rect& r) {
    double t = std::numeric_limits<double>::infinity();
    if (dir.x > 0) t = std::min(t, (r.right - origin.x) / dir.x);
    if (dir.x < 0) t = std::min(t, (r.left - origin.x) / dir.x);
    if (dir.y > 0) t = std::min(t, (r.bottom - origin.y) / dir.y);
    if (dir.y < 0) t = std::min(t, (r.top - origin.y) / dir.y);
    return std::max(0.0, t);
}

bool Overlaps(const Rect& a, const Rect& b, double gap) {
    return a.left < b.right + gap && b.left < a.right + gap && a.top < b.bottom + gap &&
           b.top < a.bottom + gap;
}

bool SegmentTouches(Point a, Point b, const Rect& r) {
    // Apart along x or y, or every corner strictly on one side of the line:
    // apart (the separating axes of a segment and a rectangle). No division
    // and few branches, for the label placer asks this a hundred thousand
    // times a plate, mostly of segments nowhere near.
    const bool apart = (std::max(a.x, b.x) < r.left) | (std::min(a.x, b.x) > r.right) |
                       (std::max(a.y, b.y) < r.top) | (std::min(a.y, b.y) > r.bottom);
    if (apart) return false;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const auto side = [&](double x, double y) { return dx * (y - a.y) - dy * (x - a.x); };
    const double s0 = side(r.left, r.top), s1 = side(r.right, r.top), s2 = side(r.left, r.bottom),
                 s3 = side(r.right, r.bottom);
    const bool allLeft = (s0 > 0) & (s1 > 0) & (s2 > 0) & (s3 > 0);
    const bool allRight = (s0 < 0) & (s1 < 0) & (s2 < 0) & (s3 < 0);
    return !(allLeft | allRight);
}

double Distance(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

double ChordDeviation(Point p, Point a, Point b) {
    const double len = Distance(a, b);
    if (len == 0) return Distance(p, a);
    return std::fabs((b.x - a.x) * (a.y - p.y) - (a.x - p.x) * (b.y - a.y)) / len;
}

std::vector<Point> Simplified(const std::vector<Point>& path, double toleranceMm) {
    if (path.size() < 3) return path;
    std::vector<bool> keep(path.size(), false);
    keep.front() = keep.back() = true;
    // Spans still to look at, by their end indices.
    std::vector<std::pair<std::size_t, std::size_t>> spans = {{0, path.size() - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double farthest = -1;
        std::size_t at = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double off = ChordDeviation(path[i], path[first], path[last]);
            if (off > farthest) farthest = off, at = i;
        }
        if (farthest > toleranceMm) {
            keep[at] = true;
            spans.push_back({first, at});
            spans.push_back({at, last});
        }
    }
    std::vector<Point> out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (keep[i]) out.push_back(path[i]);
    }
    return out;
}

Rect Bounds(const std::vector<Point>& points) {
    Rect r{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
           -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (const Point& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

}  // namespace sundial::plan
