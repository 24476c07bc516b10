// Straight lines of the dial that belong to no hour: the horizon line, where
// the horizontal plane through the nodus meets the face (the nodus's shadow
// as the sun rises or sets), and the equinoctial line, where the plane
// through the nodus square to the earth's axis meets it (the shadow's path at
// the equinoxes).
#pragma once

#include <optional>

#include "core/engine/dial.h"

namespace sundial::lines {

// A whole straight line on the plate (plate frame, mm).
struct PlateLine {
    engine::PlatePoint through;    // the line's point nearest the plate's origin
    engine::PlatePoint direction;  // unit
};

// Where the plane through the nodus square to `axis` (local frame) meets the
// face; nothing when the two planes are parallel.
std::optional<PlateLine> NodusPlaneLine(const engine::Dial& dial, engine::Vec3 axis);

// Nothing on a horizontal face.
std::optional<PlateLine> HorizonLine(const engine::Dial& dial);
// Nothing on an equatorial face.
std::optional<PlateLine> EquinoctialLine(const engine::Dial& dial);

}  // namespace sundial::lines
