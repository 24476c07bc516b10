#include "core/plan/hour_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/lines/thick_style.h"

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
    // Seen from the site, as the date lines are, so that a line ends on them.
    const auto s = dial.SiteShadow(declinationDeg, hourAngleDeg);
    if (!s) return away * kInfinity;
    const double t =
        (s->x - line.through.x) * line.direction.x + (s->y - line.through.y) * line.direction.y;
    return std::fabs(t) > kFarMm ? (t < 0 ? -kInfinity : kInfinity) : t;
}

}  // namespace

Point ToPoint(engine::PlatePoint p) {
    return {p.x, p.y};
}

std::vector<HourLine> HourLinesFor(const engine::Dial& dial, bool halfHours, bool quarterHours,
                                   bool tenMinutes, double styleThicknessMm) {
    // Which kind of line falls at a minute past the hour, if any is asked for.
    const auto roleAt = [&](int minute) -> std::optional<Role> {
        if (minute == 0) return Role::HourLines;
        if (minute == 30) return halfHours ? std::optional(Role::HalfHourLines) : std::nullopt;
        if (minute % 15 == 0) {
            return quarterHours ? std::optional(Role::QuarterHourLines) : std::nullopt;
        }
        if (minute % 10 == 0) {
            return tenMinutes ? std::optional(Role::TenMinuteLines) : std::nullopt;
        }
        return std::nullopt;
    };
    std::vector<HourLine> lines;
    for (int minute = 0; minute < 24 * 60; minute += 5) {
        const auto role = roleAt(minute % 60);
        if (!role) continue;
        const double hour = minute / 60.0;
        const double ha = engine::HourAngleDeg(dial.site(), hour);
        const auto lit = dial.LitDeclinations(ha);
        const auto geometry = dial.HourLine(ha);
        if (!lit || !geometry) continue;
        HourLine line{hour, *role, ToPoint(geometry->through), ToPoint(geometry->direction),
                      geometry->parallel};
        const double a = Along(dial, line, lit->lowDeg + kInsideDeg, ha, 1);
        const double b = Along(dial, line, lit->highDeg - kInsideDeg, ha, 1);
        line.nearMm = std::min(a, b);
        line.farMm = std::max(a, b);
        // A thick style moves the whole line, so its shadow's reach along it
        // stays the same.
        for (const auto& face : lines::ThickStyleLines(dial, *geometry, styleThicknessMm)) {
            line.through = ToPoint(face.through);
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace sundial::plan
