#include "core/plan/sun_samples.h"

#include <chrono>
#include <cmath>
#include <vector>

#include "core/sun/solar_position.h"

namespace sundial::plan {

namespace {

// The solar-position routines are exact and slow (a tenth of a millisecond a
// call): they are asked every kKnotDays days, and the days between are read
// off a cubic through the four nearest answers. Declination and equation of
// time change so smoothly that this costs under a second of time and a
// thousandth of a degree.
constexpr int kKnotDays = 16;

struct Knot {
    double declinationDeg = 0;
    double equationOfTimeMin = 0;
};

std::chrono::year_month_day DayOf(int dayOfYear) {
    using namespace std::chrono;
    return year_month_day{sys_days{year{kSampleYear} / January / 1} + days{dayOfYear}};
}

}  // namespace

std::vector<SunSample> YearOfSunSamples(const SiteState& site) {
    const int days =
        static_cast<int>((std::chrono::sys_days{std::chrono::year{kSampleYear + 1} / 1 / 1} -
                          std::chrono::sys_days{std::chrono::year{kSampleYear} / 1 / 1})
                             .count());
    // Knots from one step before the year to two after its end, so that
    // every day has two on each side.
    const int first = -kKnotDays;
    const int count = (days + 3 * kKnotDays) / kKnotDays + 1;
    std::vector<Knot> knots;
    for (int k = 0; k < count; ++k) {
        const auto date = DayOf(first + k * kKnotDays);
        const SolarResult sun =
            SunAt(site.Latitude, site.Longitude,
                  ClockTime{static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                            static_cast<int>(unsigned(date.day())), 12, 0, 0},
                  site.UtcOffset);
        // A site the routines refuse on one day they refuse on all.
        if (!sun.position) return {};
        knots.push_back({sun.position->declinationDeg, sun.position->equationOfTimeMin});
    }

    std::vector<SunSample> samples;
    for (int day = 0; day < days; ++day) {
        const double t = static_cast<double>(day - first) / kKnotDays;
        const int k = static_cast<int>(std::floor(t));
        const double u = t - k;
        // Lagrange weights of knots k-1 .. k+2 at u (0 at knot k, 1 at k+1).
        const double w[4] = {-u * (u - 1) * (u - 2) / 6, (u + 1) * (u - 1) * (u - 2) / 2,
                             -(u + 1) * u * (u - 2) / 2, (u + 1) * u * (u - 1) / 6};
        double dec = 0, eot = 0;
        for (int i = 0; i < 4; ++i) {
            dec += w[i] * knots[static_cast<size_t>(k - 1 + i)].declinationDeg;
            eot += w[i] * knots[static_cast<size_t>(k - 1 + i)].equationOfTimeMin;
        }
        const auto date = DayOf(day);
        samples.push_back({static_cast<int>(unsigned(date.month())),
                           static_cast<int>(unsigned(date.day())), dec, eot});
    }
    return samples;
}

}  // namespace sundial::plan
