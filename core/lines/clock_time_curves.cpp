#include "core/lines/clock_time_curves.h"

namespace sundial::lines {

namespace {

// The days of the year, in date order, from `from` to `to` inclusive, through
// the year's end when `to` comes first.
std::vector<int> DaysFromTo(int from, int to, int days) {
    std::vector<int> list;
    for (int d = from;; d = d % days + 1) {
        list.push_back(d);
        if (d == to) break;
    }
    return list;
}

std::vector<CurveRun> Runs(const engine::Dial& dial, const SunYear& sun, double hour,
                           const std::vector<int>& days) {
    std::vector<CurveRun> runs;
    bool open = false;
    for (const int day : days) {
        const CentreSun s = sun.AtClock(day, hour, dial.site().zoneHours);
        const auto at = dial.SiteShadow(
            s.declinationDeg, engine::HourAngleDeg(dial.site(), hour, s.equationOfTimeMin),
            s.distanceAu);
        if (!at) {
            open = false;
            continue;
        }
        if (!open) runs.emplace_back();
        open = true;
        runs.back().push_back({*at, day});
    }
    return runs;
}

}  // namespace

std::vector<ClockTimeCurve> ClockTimeCurves(const engine::Dial& dial, const SunYear& sun,
                                            bool halfHours) {
    // The solstices, as the days of the lowest and highest declination at noon.
    int lowest = 1, highest = 1;
    for (int d = 1; d <= sun.days(); ++d) {
        const double dec = sun.At(d - 0.5).declinationDeg;
        if (dec < sun.At(lowest - 0.5).declinationDeg) lowest = d;
        if (dec > sun.At(highest - 0.5).declinationDeg) highest = d;
    }
    const std::vector<int> rising = DaysFromTo(lowest, highest, sun.days());
    const std::vector<int> falling = DaysFromTo(highest, lowest, sun.days());

    std::vector<ClockTimeCurve> curves;
    const double step = halfHours ? 0.5 : 1.0;
    for (double hour = 0; hour < 24; hour += step) {
        ClockTimeCurve curve{hour, Runs(dial, sun, hour, rising), Runs(dial, sun, hour, falling)};
        if (!curve.rising.empty() || !curve.falling.empty()) curves.push_back(std::move(curve));
    }
    return curves;
}

}  // namespace sundial::lines
