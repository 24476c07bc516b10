// Which hour lines a dial has, and at which angles: the whole hours of the
// run's table, each line once, and on request the half and quarter hours
// between two listed hours.
#pragma once

#include <vector>

#include "core/dial/geometry.h"
#include "core/plan/drawing.h"
#include "core/site/site_state.h"

namespace sundial::plan {

struct HourLine {
    double hour = 0;     // clock hour as listed: 13, 13.5, 13.25 (may be 2..24)
    float angleDeg = 0;  // from the vertical, positive leaning left (as RawShadowAngle)
    Role role = Role::HourLines;
};

// In hour order. A whole hour has RawShadowAngle of the hour 6..18 whose line
// it shares; an hour listed twice on one line (12 and 24) is drawn once, for
// the earlier label. Raises ArithmeticFault.
std::vector<HourLine> HourLinesFor(const SiteState& site, const DialGeometry& dial, bool halfHours,
                                   bool quarterHours);

// The substyle's angle in the same sense: the gnomon offset, to the side the
// run names.
float SubstyleAngleDeg(const DialGeometry& dial);

// The unit vector on the plate (x right, y down) of a line at `angleDeg` from
// the downward vertical, positive leaning left.
Point DirectionOnPlate(double angleDeg);

}  // namespace sundial::plan
