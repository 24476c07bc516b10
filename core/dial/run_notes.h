// What the Calculations window says below the numbers after a run on the
// desktop: why the run stopped, why start-up could not use the settings file,
// and why the run could not save it.
#pragma once

#include <string>
#include <vector>

#include "core/dial/run.h"
#include "core/site/site_state.h"

namespace sundial {

// Start-up's word on a settings file it could not use, and the site it fell
// back to: the note holds while the site is still that one.
struct StartupSettingsNote {
    std::string text;  // empty: the file was used, or there was none
    SiteState site;
};

// The notes in the order they are printed, each one line.
std::vector<std::string> RunNotes(const RunResult& result, const SiteState& site,
                                  const StartupSettingsNote& startup);

}  // namespace sundial
