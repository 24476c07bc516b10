#include "core/plan/sun_samples.h"

#include "core/sun/solar_position.h"

namespace sundial::plan {

std::vector<SunSample> YearOfSunSamples(const SiteState& site) {
    static constexpr int kDaysIn[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::vector<SunSample> samples;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= kDaysIn[month - 1]; ++day) {
            const SolarResult sun =
                SunAt(site.Latitude, site.Longitude, ClockTime{kSampleYear, month, day, 12, 0, 0},
                      site.UtcOffset);
            if (!sun.position) continue;
            samples.push_back(
                {month, day, sun.position->declinationDeg, sun.position->equationOfTimeMin});
        }
    }
    return samples;
}

}  // namespace sundial::plan
