#include "core/plan/sun_samples.h"

#include "core/sun/sun_year.h"

namespace sundial::plan {

std::vector<SunSample> YearOfSunSamples(const SiteState& site) {
    // The declination and the equation of time are the same seen from
    // anywhere: the year's table gives them at the zone's noon, at a
    // fiftieth of the cost of a full position for every day.
    std::vector<SunSample> samples;
    const auto year = SunYear::For(kSampleYear);
    if (!year || !(site.UtcOffset >= -24 && site.UtcOffset <= 24)) return samples;
    for (int d = 1; d <= year->days(); ++d) {
        const MonthDay date = *MonthDayOf(kSampleYear, d);
        const CentreSun sun = year->AtClock(d, 12, site.UtcOffset);
        samples.push_back({date.month, date.day, sun.declinationDeg, sun.equationOfTimeMin});
    }
    return samples;
}

}  // namespace sundial::plan
