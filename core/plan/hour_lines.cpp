#include "core/plan/hour_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sundial::plan {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Beyond this the shadow is as good as at infinity (the sun grazing the face).
constexpr double kFarMm = 1e6;
// Into the lit range from its ends, so that the sun is just on the face.
constexpr double kInsideDeg = 1e-6;

// The nodus's shadow at a declination, as a distance along the line; infinite
// (with the sign of `away`) when there is none or it is very far.
double Along(const engine::Dial& dial, const HourLine& line, double declinationDeg,
             double hourAngleDeg, double away) {
    const auto s = dial.Shadow(declinationDeg, hourAngleDeg);
    if (!s) return away * kInfinity;
    const double t =
        (s->x - line.through.x) * line.direction.x + (s->y - line.through.y) * line.direction.y;
    return std::fabs(t) > kFarMm ? (t < 0 ? -kInfinity : kInfinity) : t;
}

}  // namespace

Point ToPoint(engine::PlatePoint p) {
    return {p.x, p.y};
}

std::vector<HourLine> HourLinesFor(const engine::Dial& dial, bool halfHours, bool quarterHours) {
    std::vector<HourLine> lines;
    for (int quarter = 0; quarter < 96; ++quarter) {
        const int part = quarter % 4;
        const Role role = part == 0   ? Role::HourLines
                          : part == 2 ? Role::HalfHourLines
                                      : Role::QuarterHourLines;
        if ((role == Role::HalfHourLines && !halfHours) ||
            (role == Role::QuarterHourLines && !quarterHours)) {
            continue;
        }
        const double hour = quarter / 4.0;
        const double ha = engine::HourAngleDeg(dial.site(), hour);
        const auto lit = dial.LitDeclinations(ha);
        const auto geometry = dial.HourLine(ha);
        if (!lit || !geometry) continue;
        HourLine line{hour, role, ToPoint(geometry->through), ToPoint(geometry->direction),
                      geometry->parallel};
        const double a = Along(dial, line, lit->lowDeg + kInsideDeg, ha, 1);
        const double b = Along(dial, line, lit->highDeg - kInsideDeg, ha, 1);
        line.nearMm = std::min(a, b);
        line.farMm = std::max(a, b);
        lines.push_back(line);
    }
    return lines;
}

}  // namespace sundial::plan
