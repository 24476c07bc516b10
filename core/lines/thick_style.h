// A thick style: a plate of some thickness whose middle plane holds the thin
// style. The shadow's edge falls from the face of the plate on the shadow's
// side, so every hour line moves half the thickness away from the substyle,
// square to it, on its own side, and the line on the substyle itself is drawn
// twice, once from each face.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/engine/dial.h"

namespace sundial::lines {

// The thicknesses a style may have: from 0 (thin) to less than the nodus's
// height above the plate. A message for the user, or nothing.
std::optional<std::string> CheckStyleThickness(const engine::Dial& dial, double thicknessMm);

// The lines a thick style gives for a thin style's hour line: one, or two for
// the substyle's own line. `thicknessMm` 0 gives the line itself.
std::vector<engine::HourLineGeometry> ThickStyleLines(const engine::Dial& dial,
                                                      const engine::HourLineGeometry& line,
                                                      double thicknessMm);

}  // namespace sundial::lines
