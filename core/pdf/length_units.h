// The units a caller may give lengths in (the writer's ScaleMode) and their
// conversion to and from points, 1/72 inch.
#pragma once

#include <cstdint>

namespace sundial::pdf {

// Points per unit as a fraction, multiplier / divisor, kept apart so that a
// conversion rounds the way it always has: into points value × multiplier /
// divisor, back value / multiplier × divisor, each step in double precision.
struct LengthUnit {
    double multiplier;
    double divisor;
};

// ScaleMode 0 point, 1 inch, 2 millimetre, 3 centimetre; null for any other.
const LengthUnit* UnitOfScaleMode(std::int32_t scaleMode);

// `value` in the unit of `scaleMode` as points, and back. A mode without a
// unit converts every length to 0. The result is not range-checked: the caller
// decides what to do with one that no single can hold.
double UnitsToPoints(float value, std::int32_t scaleMode);
double PointsToUnits(float value, std::int32_t scaleMode);

}  // namespace sundial::pdf
