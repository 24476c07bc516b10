#include "core/pdf/length_units.h"

#include <array>

namespace sundial::pdf {

namespace {

// Indexed by ScaleMode.
constexpr std::array<LengthUnit, 4> kUnits = {{
    {1, 1},      // point
    {72, 1},     // inch
    {72, 25.4},  // millimetre
    {72, 2.54},  // centimetre
}};

}  // namespace

const LengthUnit* UnitOfScaleMode(std::int32_t scaleMode) {
    if (scaleMode < 0 || static_cast<std::size_t>(scaleMode) >= kUnits.size()) return nullptr;
    return &kUnits[static_cast<std::size_t>(scaleMode)];
}

double UnitsToPoints(float value, std::int32_t scaleMode) {
    const LengthUnit* unit = UnitOfScaleMode(scaleMode);
    return unit ? static_cast<double>(value) * unit->multiplier / unit->divisor : 0;
}

double PointsToUnits(float value, std::int32_t scaleMode) {
    const LengthUnit* unit = UnitOfScaleMode(scaleMode);
    return unit ? static_cast<double>(value) / unit->multiplier * unit->divisor : 0;
}

}  // namespace sundial::pdf
