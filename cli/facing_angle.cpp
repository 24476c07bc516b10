#include "cli/facing_angle.h"

#include <cmath>

namespace sundial {

double FacingAngle(double leftPositiveDeg) {
    return leftPositiveDeg == 0 ? 0.0 : -leftPositiveDeg;  // no "-0"
}

double FootLineAngle(const DialGeometry& dial) {
    // Only a south wall leaves the side empty, and its offset is exactly 0.
    return dial.OffsetSide == "left." ? -double(dial.GnomonOffset) : double(dial.GnomonOffset);
}

std::string SideOfRoot(double facingDeg, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double shown = std::round(facingDeg * scale);
    if (shown > 0) return "right";
    if (shown < 0) return "left";
    return "vertical";
}

}  // namespace sundial
