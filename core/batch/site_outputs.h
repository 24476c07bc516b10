// One site's outputs as the command line makes them: one run with the
// Calculations text recorded, and the printable sheet when one is asked for.
// The report command makes one; the batch command one per site.
#pragma once

#include <filesystem>
#include <string>

#include "core/dial/geometry.h"
#include "core/dial/run.h"
#include "core/site/site_state.h"

namespace sundial {

struct SiteOutputs {
    RunResult result;
    DialGeometry dial;
    std::string report;  // the Calculations text, as far as the run got
};

// Runs once for `site`. `settingsFile` is saved by the run (empty: nothing is
// saved); `sheet`, when given, receives the printable sheet. The drawing and
// the chart go nowhere: without windows nobody sees them.
SiteOutputs MakeSiteOutputs(const SiteState& site, const std::filesystem::path& settingsFile,
                            SheetOutput* sheet);

}  // namespace sundial
