// Angles on the dial face as the command line writes them, wherever it writes
// one beyond the Calculations report and sheet: degrees from the downward
// vertical through the root, positive to the RIGHT as one faces the dial, as
// the report's hour table shows them. The core measures them positive
// leaning left (RawShadowAngle); this is the one place that turns them round.
#pragma once

#include <string>

#include "core/dial/geometry.h"

namespace sundial {

// An angle measured positive leaning left, in the command line's convention.
double FacingAngle(double leftPositiveDeg);

// The foot line's angle: the gnomon's offset on the side the run gives it.
double FootLineAngle(const DialGeometry& dial);

// Which side of the root a facing angle lies, as written with `decimals`
// figures: "right", "left", or "vertical" when it rounds to zero.
std::string SideOfRoot(double facingDeg, int decimals);

}  // namespace sundial
