#include "core/plan/sun_samples.h"

namespace sundial::plan {

std::vector<SunSample> YearOfSunSamples() {
    // The solar-position source plugs in here: a sample for each day of a
    // year midway between leap years, declination and equation of time at
    // noon UT.
    return {};
}

}  // namespace sundial::plan
