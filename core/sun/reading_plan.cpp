#include "core/sun/reading_plan.h"

#include <cmath>
#include <optional>

namespace sundial {

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

// The sun as the observer sees it at a clock time, with the offset applied.
struct Sample {
    ClockTime clock;
    double offset = 0;
    SolarPosition sun;
};

std::optional<Sample> SampleAt(const Observer& o, const ClockTime& clock) {
    const ZoneOffset offset = ObserverOffset(o, clock);
    if (!offset.hours) return std::nullopt;
    const SolarResult r = SunSeenAt(o.latitudeDeg, o.longitudeWestDeg, clock, *offset.hours);
    if (!r.position) return std::nullopt;
    return Sample{clock, *offset.hours, *r.position};
}

// The sun's direction against the wall: `front` above zero when it shines on
// the face, `across` the side it stands (positive: clockwise of the bearing).
double Front(const SolarPosition& p, double bearing) {
    return std::cos(p.apparentAltitudeDeg * kDegToRad) *
           std::cos((p.azimuthDeg - bearing) * kDegToRad);
}
double Across(const SolarPosition& p, double bearing) {
    return std::sin((p.azimuthDeg - bearing) * kDegToRad);
}
bool Lit(const SolarPosition& p, double bearing) {
    return p.apparentAltitudeDeg > 0 && Front(p, bearing) > 0;
}

// The last second of the minute after `a` at which `test` still gives what
// it gives at `a`: halving steps of 30 s, 15 s, ... 1 s.
template <typename Test>
Sample Refine(const Observer& o, Sample a, Test test) {
    const bool first = test(a.sun);
    for (double step = 32.0; step >= 1.0; step /= 2.0) {
        const std::optional<Sample> probe = SampleAt(o, ShiftClock(a.clock, step / 3600.0));
        if (probe && test(probe->sun) == first) a = *probe;
    }
    return a;
}

}  // namespace

const char* PlanEventName(PlanEvent event) {
    switch (event) {
        case PlanEvent::Enters:
            return "enters";
        case PlanEvent::Square:
            return "square";
        case PlanEvent::Leaves:
            return "leaves";
    }
    return "";
}

ReadingPlan PlanReadings(const Observer& o, double bearing, int year, int month, int day) {
    ReadingPlan plan;
    const ClockTime midnight{year, month, day, 0, 0, 0};
    if (const std::string wrong = CheckClockTime(midnight); !wrong.empty()) {
        plan.error = wrong;
        return plan;
    }
    if (!o.zoneName.empty()) {
        if (const std::string unknown = CheckZoneName(o.zoneName); !unknown.empty()) {
            plan.error = unknown;
            return plan;
        }
    }
    if (const SolarResult noon = SunSeenAt(o.latitudeDeg, o.longitudeWestDeg,
                                           {year, month, day, 12, 0, 0}, o.utcOffsetHours);
        !noon.position) {
        plan.error = noon.error;
        return plan;
    }
    // A minute's steps through the day; a step whose clock time the zone
    // skipped (the clocks going forward) is passed over.
    std::optional<Sample> previous;
    for (int minute = 0; minute <= 24 * 60; ++minute) {
        const ClockTime clock = minute == 24 * 60
                                    ? ClockTime{year, month, day, 23, 59, 59}
                                    : ClockTime{year, month, day, minute / 60, minute % 60, 0};
        const std::optional<Sample> now = SampleAt(o, clock);
        if (!now) continue;
        if (previous) {
            const bool wasLit = Lit(previous->sun, bearing), isLit = Lit(now->sun, bearing);
            if (wasLit != isLit) {
                const Sample at =
                    Refine(o, *previous, [&](const SolarPosition& p) { return Lit(p, bearing); });
                // Crossing the wall's plane high up, not the horizon.
                const bool edge =
                    std::fabs(Front(at.sun, bearing)) < 0.02 && at.sun.apparentAltitudeDeg > 0.5;
                plan.moments.push_back({isLit ? PlanEvent::Enters : PlanEvent::Leaves, at.clock,
                                        at.offset, at.sun, edge});
            }
            const bool square =
                wasLit && isLit &&
                (Across(previous->sun, bearing) > 0) != (Across(now->sun, bearing) > 0);
            if (square) {
                const Sample at = Refine(
                    o, *previous, [&](const SolarPosition& p) { return Across(p, bearing) > 0; });
                plan.moments.push_back({PlanEvent::Square, at.clock, at.offset, at.sun, false});
            }
        }
        previous = now;
    }
    return plan;
}

std::string PlanClause(const ReadingPlan& plan) {
    if (plan.moments.empty()) return "the sun does not shine on it";
    std::string clause = "the sun ";
    for (const PlanMoment& m : plan.moments) {
        const std::string at = ClockTimeText(m.clock).substr(11, 5);
        if (&m != &plan.moments.front()) clause += ", ";
        switch (m.event) {
            case PlanEvent::Enters:
                clause += (m.atWallEdge ? "comes onto it at " : "rises in front of it at ") + at;
                break;
            case PlanEvent::Square:
                clause += "is square to it at " + at;
                break;
            case PlanEvent::Leaves:
                clause += (m.atWallEdge ? "leaves it at " : "sets in front of it at ") + at;
                break;
        }
    }
    return clause;
}

}  // namespace sundial
