// The strip below an analemmatic dial's plate: its title, how to set it out
// on the ground and read it, the equation of time to add, and the 100 mm bar.
#pragma once

#include "core/plan/plan.h"
#include "core/sun/sun_year.h"

namespace sundial::plan {

struct AnalemmaticStripInput {
    const SiteState& site;
    const PlanOptions& options;
    AnalemmaticFrame frame;
    const SunYear& sun;
};

// Appends the strip, starting `topMm` down, to `drawing`, and widens and
// deepens the drawing to hold it.
void AddAnalemmaticStrip(const AnalemmaticStripInput& in, double topMm, Drawing& drawing);

}  // namespace sundial::plan
