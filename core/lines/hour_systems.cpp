#include "core/lines/hour_systems.h"

#include <cmath>

namespace sundial::lines {

namespace {

// A sun this near the face's plane casts its shadow over a thousand nodus
// heights away: off any plate, and too long a lever for the digits.
constexpr double kGrazingFront = 1e-3;
// Declinations sampled to find where the light starts and stops, and the
// halvings that pin each change down.
constexpr int kSearchSteps = 96;
constexpr int kHalvings = 40;

// Half the day's arc, degrees, for the sun's centre on the geometric
// horizon; nothing for a day with no sunrise or no sunset.
std::optional<double> HalfDayDeg(const engine::Site& site, double declinationDeg) {
    const double c =
        -std::tan(engine::Rad(site.latitudeDeg)) * std::tan(engine::Rad(declinationDeg));
    if (!(c > -1 && c < 1)) return std::nullopt;
    return engine::Deg(std::acos(c));
}

bool Lit(const engine::Dial& dial, HourSystem system, double hour, double d) {
    return SystemShadow(dial, system, hour, d).has_value();
}

// The change between a lit and an unlit declination, on the lit side.
double Edge(const engine::Dial& dial, HourSystem system, double hour, double lit, double dark) {
    for (int i = 0; i < kHalvings; ++i) {
        const double mid = (lit + dark) / 2;
        (Lit(dial, system, hour, mid) ? lit : dark) = mid;
    }
    return lit;
}

}  // namespace

int FirstHour(HourSystem system) {
    return system == HourSystem::Temporal ? 0 : 1;
}

int LastHour(HourSystem system) {
    return system == HourSystem::Temporal ? 12 : 23;
}

std::optional<double> SystemHourAngleDeg(const engine::Site& site, HourSystem system, double hour,
                                         double declinationDeg) {
    const auto half = HalfDayDeg(site, declinationDeg);
    if (!half) return std::nullopt;
    double h = 0;
    switch (system) {
        case HourSystem::Italian:
            // The last sunset was 24 hours before today's, at +half.
            h = *half + 15 * hour - 360;
            break;
        case HourSystem::Babylonian:
            h = -*half + 15 * hour;
            break;
        case HourSystem::Temporal:
            h = -*half + hour * (2 * *half / 12);
            break;
    }
    if (h < -*half || h > *half) return std::nullopt;
    return h;
}

std::optional<engine::PlatePoint> SystemShadow(const engine::Dial& dial, HourSystem system,
                                               double hour, double declinationDeg) {
    const auto h = SystemHourAngleDeg(dial.site(), system, hour, declinationDeg);
    if (!h) return std::nullopt;
    // The day's ends put the sun on the horizon itself, which the dial's own
    // test of light would take or leave by a rounding: the hour's range has
    // already said it is day.
    const engine::Vec3 sun = engine::SunDirection(dial.site(), declinationDeg, *h);
    const double front = engine::Dot(sun, dial.frame().normal);
    if (front < kGrazingFront) return std::nullopt;
    const double t = dial.gnomon().heightMm / front;
    const engine::PlatePoint along = dial.frame().OnPlate(sun);
    const engine::PlatePoint foot = dial.gnomon().foot;
    return engine::PlatePoint{foot.x - t * along.x, foot.y - t * along.y};
}

std::vector<std::pair<double, double>> LitSystemDeclinations(const engine::Dial& dial,
                                                             HourSystem system, double hour,
                                                             double limitDeg) {
    std::vector<std::pair<double, double>> ranges;
    const double step = 2 * limitDeg / kSearchSteps;
    double prev = -limitDeg;
    bool prevLit = Lit(dial, system, hour, prev);
    if (prevLit) ranges.push_back({prev, prev});
    for (int i = 1; i <= kSearchSteps; ++i) {
        const double d = i == kSearchSteps ? limitDeg : -limitDeg + i * step;
        const bool lit = Lit(dial, system, hour, d);
        if (lit && !prevLit) ranges.push_back({Edge(dial, system, hour, d, prev), d});
        if (!lit && prevLit) ranges.back().second = Edge(dial, system, hour, prev, d);
        if (lit) ranges.back().second = d;
        prev = d;
        prevLit = lit;
    }
    std::erase_if(ranges, [](const auto& r) { return !(r.second > r.first); });
    return ranges;
}

}  // namespace sundial::lines
