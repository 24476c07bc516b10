// The sun through the year for the noon figure-eight and the equation-of-time
// table: one sample a day, from the program's solar-position routines.
#pragma once

#include <vector>

#include "core/plan/plan.h"
#include "core/site/site_state.h"

namespace sundial::plan {

// The year the samples are taken in: midway between leap years, so that its
// dates stand for the mean of the four-year cycle.
inline constexpr int kSampleYear = 2026;

// Every day of kSampleYear at 12:00 on the site's clock (its zone), seen from
// the site, to within a second of time and a thousandth of a degree. Nothing
// when the routines refuse the site (outside their ranges).
std::vector<SunSample> YearOfSunSamples(const SiteState& site);

}  // namespace sundial::plan
