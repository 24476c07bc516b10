// The summer numerals' ring: how far on from the hour numerals it reads, and
// what its legend says. Without a named zone the clock is an hour on; a named
// zone's own summer time sets the step, and a zone without summer time that
// year gives no ring.
#pragma once

#include <optional>
#include <string>

#include "core/plan/plan.h"

namespace sundial::plan {

struct SummerRing {
    std::optional<int> hoursOn;  // nothing: no ring (or none asked for)
    std::string legend;          // with a ring: its legend's words
    std::string note;            // a ring asked for and left out: why
};

SummerRing SummerRingFor(const PlanOptions& options);

}  // namespace sundial::plan
