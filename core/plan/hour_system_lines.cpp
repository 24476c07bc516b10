#include "core/plan/hour_system_lines.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/lines/hour_systems.h"
#include "core/plan/clip.h"
#include "core/plan/date_lines.h"
#include "core/plan/hour_lines.h"

namespace sundial::plan {

namespace {

using lines::HourSystem;

struct Family {
    HourSystem system;
    bool ExtraLineOptions::*wanted;
    Role role;
    const char* name;  // as the notes write it
    double strokeMm;
    double dashMm;  // 0: solid
    std::uint32_t colour;
    const char* legend;
};

constexpr Family kFamilies[] = {
    {HourSystem::Italian, &ExtraLineOptions::italian, Role::ItalianHours, "Italian", 0.45, 0,
     0xe65100, "Italian hours: hours since sunset"},
    {HourSystem::Babylonian, &ExtraLineOptions::babylonian, Role::BabylonianHours, "Babylonian",
     0.45, 3, 0xad1457, "Babylonian hours: hours since sunrise"},
    {HourSystem::Temporal, &ExtraLineOptions::temporal, Role::TemporalHours, "temporal", 0.35, 1.2,
     0x5d4037, "Temporal hours: daylight in twelve from sunrise"},
};
constexpr const char* kHorizonWords = " (the sun's centre on the geometric horizon)";

// Vertices along a lit stretch at least this often, degrees of declination.
constexpr double kSampleDeg = 1;
// A temporal hour's chord is halved until it keeps within kPathToleranceMm
// of the shadow, at most this many times over.
constexpr int kMostHalvings = 16;

struct Vertex {
    double declinationDeg;
    Point at;
};

std::vector<Vertex> Samples(const engine::Dial& dial, HourSystem system, double hour, double low,
                            double high) {
    const int steps = std::max(1, static_cast<int>(std::ceil((high - low) / kSampleDeg)));
    std::vector<Vertex> out;
    for (int i = 0; i <= steps; ++i) {
        const double d = i == steps ? high : low + (high - low) * i / steps;
        if (const auto p = lines::SystemShadow(dial, system, hour, d))
            out.push_back({d, ToPoint(*p)});
    }
    return out;
}

double ChordGap(Point a, Point b, Point p) {
    const double len = Distance(a, b);
    if (len == 0) return Distance(a, p);
    return std::fabs((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / len;
}

// The temporal hour's path from `a` to `b`, the points after `a` appended.
void Refine(const engine::Dial& dial, double hour, const Vertex& a, const Vertex& b,
            const Rect& area, int depth, std::vector<Point>& out) {
    const double mid = (a.declinationDeg + b.declinationDeg) / 2;
    const auto m = lines::SystemShadow(dial, HourSystem::Temporal, hour, mid);
    if (m && depth < kMostHalvings && ChordGap(a.at, b.at, ToPoint(*m)) > kPathToleranceMm &&
        (SegmentTouches(a.at, b.at, area) || area.Contains(ToPoint(*m)))) {
        const Vertex v{mid, ToPoint(*m)};
        Refine(dial, hour, a, v, area, depth + 1, out);
        Refine(dial, hour, v, b, area, depth + 1, out);
        return;
    }
    out.push_back(b.at);
}

// One hour's runs on the plate.
std::vector<std::vector<Point>> HourPath(const engine::Dial& dial, HourSystem system, double hour,
                                         const Rect& area) {
    std::vector<std::vector<Point>> runs;
    for (const auto& [low, high] : lines::LitSystemDeclinations(dial, system, hour)) {
        const std::vector<Vertex> v = Samples(dial, system, hour, low, high);
        if (v.size() < 2) continue;
        if (system == HourSystem::Temporal) {
            std::vector<Point> path{v.front().at};
            for (std::size_t i = 1; i < v.size(); ++i)
                Refine(dial, hour, v[i - 1], v[i], area, 0, path);
            for (auto& run : ClipPolyline(path, area)) runs.push_back(std::move(run));
            continue;
        }
        // The vertices lie on one line: draw it between the outermost two.
        const Point dir{v.back().at.x - v.front().at.x, v.back().at.y - v.front().at.y};
        const auto along = [&](const Vertex& p) {
            return (p.at.x - v.front().at.x) * dir.x + (p.at.y - v.front().at.y) * dir.y;
        };
        const auto [first, last] = std::minmax_element(
            v.begin(), v.end(),
            [&](const Vertex& p, const Vertex& q) { return along(p) < along(q); });
        const auto piece = ClipSegment(first->at, last->at, area);
        if (piece && Distance(piece->first, piece->second) > 0) {
            runs.push_back({piece->first, piece->second});
        }
    }
    return runs;
}

}  // namespace

void AddHourSystemLines(const ExtraLinesInput& in, LabelPlacer& placer, ExtraLines& out) {
    struct Drawn {
        const Family* family;
        int hour;
        std::vector<std::vector<Point>> path;
    };
    std::vector<Drawn> drawn;
    for (const Family& f : kFamilies) {
        if (!(in.options.extras.*f.wanted)) continue;
        bool any = false;
        for (int hour = lines::FirstHour(f.system); hour <= lines::LastHour(f.system); ++hour) {
            auto path = HourPath(in.dial, f.system, hour, in.area);
            if (path.empty()) continue;
            any = true;
            for (const auto& run : path) {
                Element e = MakePath(
                    f.role, f.system == HourSystem::Temporal ? Shape::Polyline : Shape::Line, run,
                    f.strokeMm, f.colour);
                e.hour = hour;
                e.dashMm = f.dashMm;
                out.elements.push_back(std::move(e));
                for (std::size_t i = 1; i < run.size(); ++i) placer.AddLine(run[i - 1], run[i]);
            }
            drawn.push_back({&f, hour, std::move(path)});
        }
        if (!any) {
            out.notes.push_back(std::string("No ") + f.name + " hour line falls on the plate.");
            continue;
        }
        Element sample = MakeLine(f.role, {}, {}, f.strokeMm, f.colour);
        sample.dashMm = f.dashMm;
        out.legend.push_back({sample, std::string(f.legend) + kHorizonWords});
    }
    // Numerals are asked for once every family's lines are known; the placer
    // sets them when every line of the plate is.
    for (const Drawn& d : drawn) {
        const std::string number = std::to_string(d.hour);
        placer.Ask(d.path, number, std::string("the ") + d.family->name + " hour " + number,
                   in.labelSizeMm, d.family->role, d.family->colour, d.hour);
    }
}

}  // namespace sundial::plan
