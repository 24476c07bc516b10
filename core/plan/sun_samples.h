// The sun through the year for the noon figure-eight and the equation-of-time
// table: one sample a day, from the program's solar-position source.
#pragma once

#include <vector>

#include "core/plan/plan.h"

namespace sundial::plan {

// Empty while the program has no solar-position source; callers then offer
// neither the figure-eight nor the table.
std::vector<SunSample> YearOfSunSamples();

}  // namespace sundial::plan
