#include "core/plan/date_lines.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "core/plan/clip.h"

namespace sundial::plan {

namespace {

constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr double kSampleStepDeg = 1;  // first pass over the hour angle
constexpr int kMaxRefinement = 16;
constexpr int kBisections = 48;
// Beyond this a shadow is as good as at infinity (the sun grazing the wall).
constexpr double kFarMm = 1e7;
// Refine only near the area: shadows further off are cut away anyway.
constexpr double kNearMm = 20;

using ShadowAt = std::function<std::optional<Point>(double)>;

bool Near(Point p, const Rect& area) {
    return area.Inset(-kNearMm).Contains(p);
}

// Adds the points strictly between h0 and h1 that keep every chord within
// the tolerance where it matters.
void Refine(const ShadowAt& shadow, double h0, Point p0, double h1, Point p1, const Rect& area,
            int depth, std::vector<Point>& out) {
    if (depth >= kMaxRefinement) return;
    const double hm = (h0 + h1) / 2;
    const std::optional<Point> pm = shadow(hm);
    if (!pm) return;
    const bool matters =
        Near(p0, area) || Near(p1, area) || Near(*pm, area) || SegmentTouches(p0, p1, area);
    if (!matters || ChordDeviation(*pm, p0, p1) <= kPathToleranceMm) return;
    Refine(shadow, h0, p0, hm, *pm, area, depth + 1, out);
    out.push_back(*pm);
    Refine(shadow, hm, *pm, h1, p1, area, depth + 1, out);
}

// The last hour angle between a lit `lit` and an unlit `dark` at which the
// sun still lights the wall.
double LitEdge(const ShadowAt& shadow, double lit, double dark) {
    for (int i = 0; i < kBisections; ++i) {
        const double mid = (lit + dark) / 2;
        (shadow(mid) ? lit : dark) = mid;
    }
    return lit;
}

bool Usable(const std::optional<Point>& p) {
    return p && std::fabs(p->x) < kFarMm && std::fabs(p->y) < kFarMm;
}

std::vector<std::vector<Point>> Clip(const std::vector<std::vector<Point>>& paths,
                                     const Rect& area) {
    std::vector<std::vector<Point>> runs;
    for (const auto& path : paths) {
        for (auto& run : ClipPolyline(path, area)) runs.push_back(std::move(run));
    }
    return runs;
}

}  // namespace

double ApproximateDeclination(int month, int day) {
    static constexpr int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    // 2026 sits midway between leap years, so its dates are the mean of the
    // four-year cycle's to a few hundredths of a degree. Days from J2000.0
    // (2000-01-01 12:00 UT) to 2026-01-01 12:00 UT: 26 years and 7 leap days.
    const double n = 26 * 365 + 7 + kDaysBefore[(month - 1) % 12] + (day - 1);
    const double meanLongitude = 280.460 + 0.9856474 * n;
    const double meanAnomaly = engine::Rad(357.528 + 0.9856003 * n);
    const double eclipticLongitude = engine::Rad(meanLongitude + 1.915 * std::sin(meanAnomaly) +
                                                 0.020 * std::sin(2 * meanAnomaly));
    const double obliquity = engine::Rad(23.439 - 0.0000004 * n);
    return engine::Deg(std::asin(std::sin(obliquity) * std::sin(eclipticLongitude)));
}

std::vector<DateCurve> DateCurvesFor(bool months) {
    std::vector<DateCurve> curves = {
        {kSolsticeDeclinationDeg, "21 Jun"},
        {0, "20 Mar \u00b7 23 Sep"},
        {-kSolsticeDeclinationDeg, "21 Dec"},
    };
    if (months) {
        for (int m = 1; m <= 12; ++m) {
            curves.push_back(
                {ApproximateDeclination(m, 1), std::string("1 ") + kMonthNames[m - 1]});
        }
    }
    return curves;
}

std::vector<std::vector<Point>> DayPath(const engine::Dial& dial, double declinationDeg,
                                        const Rect& area) {
    const engine::SunDay day(declinationDeg);
    const ShadowAt shadow = [&](double h) -> std::optional<Point> {
        const auto s = dial.SiteShadow(day, h);
        if (!s) return std::nullopt;
        return Point{s->x, s->y};
    };

    // One day from midnight to midnight; where the sun lights the face at
    // midnight the day's path is two runs that meet there.
    const int steps = static_cast<int>(360 / kSampleStepDeg);
    std::vector<std::vector<Point>> paths;
    std::vector<Point> path;
    double prevH = -180;
    std::optional<Point> prev = shadow(prevH);
    const auto flush = [&] {
        if (path.size() >= 2) paths.push_back(std::move(path));
        path.clear();
    };
    for (int i = 1; i <= steps; ++i) {
        const double h = -180 + i * kSampleStepDeg;
        const std::optional<Point> cur = shadow(h);
        if (cur && !prev) {
            // Sunrise on the wall: start at the exact edge.
            const double edge = LitEdge(shadow, h, prevH);
            const std::optional<Point> first = shadow(edge);
            if (Usable(first)) {
                path.push_back(*first);
                Refine(shadow, edge, *first, h, *cur, area, 0, path);
            }
            if (Usable(cur)) path.push_back(*cur);
        } else if (cur && prev) {
            if (Usable(prev) && Usable(cur)) {
                Refine(shadow, prevH, *prev, h, *cur, area, 0, path);
                path.push_back(*cur);
            } else {
                flush();
                if (Usable(cur)) path.push_back(*cur);
            }
        } else if (!cur && prev) {
            const double edge = LitEdge(shadow, prevH, h);
            const std::optional<Point> last = shadow(edge);
            if (Usable(last) && Usable(prev)) {
                Refine(shadow, prevH, *prev, edge, *last, area, 0, path);
                path.push_back(*last);
            }
            flush();
        }
        prev = cur;
        prevH = h;
    }
    flush();
    return Clip(paths, area);
}

std::vector<std::vector<Point>> NoonPath(const engine::Dial& dial, std::vector<SunSample> samples,
                                         const Rect& area) {
    std::sort(samples.begin(), samples.end(), [](const SunSample& a, const SunSample& b) {
        return a.month != b.month ? a.month < b.month : a.day < b.day;
    });
    std::vector<std::optional<Point>> points;
    for (const SunSample& s : samples) {
        const auto p = dial.SiteShadow(
            s.declinationDeg, engine::HourAngleDeg(dial.site(), 12.0, s.equationOfTimeMin));
        points.push_back(p ? std::optional<Point>(Point{p->x, p->y}) : std::nullopt);
    }
    // Round the year: the last day joins the first.
    if (!points.empty()) points.push_back(points.front());
    std::vector<std::vector<Point>> paths(1);
    for (const auto& p : points) {
        if (Usable(p)) {
            paths.back().push_back(*p);
        } else if (!paths.back().empty()) {
            paths.emplace_back();
        }
    }
    std::erase_if(paths, [](const std::vector<Point>& p) { return p.size() < 2; });
    return Clip(paths, area);
}

}  // namespace sundial::plan
