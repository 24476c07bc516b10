#include "core/sun/sun_year.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/sun/clock_time.h"
#include "core/sun/sun_year_nodes.h"

namespace sundial {

namespace {

std::chrono::year_month_day Ymd(int year, MonthDay date) {
    return std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(date.month)} /
           std::chrono::day{static_cast<unsigned>(date.day)};
}

// Lagrange's cubic through four equally spaced values at -1, 0, 1, 2, read at u.
double Cubic(const double v[4], double u) {
    return -v[0] * u * (u - 1) * (u - 2) / 6 + v[1] * (u + 1) * (u - 1) * (u - 2) / 2 -
           v[2] * (u + 1) * u * (u - 2) / 2 + v[3] * (u + 1) * u * (u - 1) / 6;
}

}  // namespace

int DaysInYear(int year) {
    return std::chrono::year{year}.is_leap() ? 366 : 365;
}

std::optional<MonthDay> MonthDayOf(int year, int dayOfYear) {
    if (dayOfYear < 1 || dayOfYear > DaysInYear(year)) return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::sys_days{Ymd(year, {1, 1})} +
                                          std::chrono::days{dayOfYear - 1}};
    return MonthDay{static_cast<int>(static_cast<unsigned>(ymd.month())),
                    static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::optional<int> DayOfYear(int year, MonthDay date) {
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) return std::nullopt;
    const auto ymd = Ymd(year, date);
    if (!ymd.ok()) return std::nullopt;
    return static_cast<int>(
               (std::chrono::sys_days{ymd} - std::chrono::sys_days{Ymd(year, {1, 1})}).count()) +
           1;
}

std::optional<SunYear> SunYear::For(int year) {
    if (year < kFirstCurveYear || year > kLastCurveYear) return std::nullopt;
    // One run asks for the same year more than once (the noon samples, then
    // the curves), and the dialog again at every keystroke: the last table
    // is kept, one per thread, so that it is worked out once.
    thread_local std::optional<SunYear> last;
    if (last && last->year() == year) return last;
    std::optional<std::vector<CentreSun>> nodes;
    if (const CentreSun* carried = CarriedSunYearNodes(year)) {
        nodes.emplace(carried, carried + kSunYearNodes);
    } else {
        nodes = WorkOutSunYearNodes(year);
    }
    if (!nodes) return std::nullopt;
    // The mean obliquity: nutation moves it by under 0.003 degrees.
    const double midyearTt = ERFA_DJ00 + (year - 2000) * 365.25;
    last = SunYear(year, eraObl06(midyearTt, 0) * ERFA_DR2D, std::move(*nodes));
    return last;
}

CentreSun SunYear::At(double utcDays) const {
    const double s = (utcDays - kSunYearFirstNodeDay) / kSunYearStepDays;
    const int last = static_cast<int>(nodes_.size()) - 3;
    const int i = std::clamp(static_cast<int>(std::floor(s)), 1, last);
    const double u = s - i;
    double dec[4], eot[4], distance[4];
    for (int k = 0; k < 4; ++k) {
        dec[k] = nodes_[i - 1 + k].declinationDeg;
        eot[k] = nodes_[i - 1 + k].equationOfTimeMin;
        distance[k] = nodes_[i - 1 + k].distanceAu;
    }
    return {Cubic(dec, u), Cubic(eot, u), Cubic(distance, u)};
}

CentreSun SunYear::AtClock(int dayOfYear, double clockHours, double zoneHours) const {
    return At(dayOfYear - 1 + (clockHours - zoneHours) / 24.0);
}

}  // namespace sundial
