// The analemmatic dial: a dial on level ground whose gnomon is a person (or
// any upright pole) standing on the date scale. The clock hours are points
// on an ellipse; the date scale runs along its minor axis, north and south
// of the centre.
//
// Ground frame, as for every plan: millimetres, origin at the plate's top
// left, x to the right (east), y down (south), seen from above with north at
// the top. The ellipse's major axis runs east-west.
#pragma once

#include <optional>
#include <string>

#include "core/plan/plan.h"

namespace sundial::plan {

// Near the equator the ellipse flattens into its major axis.
inline constexpr double kMinAnalemmaticLatitudeDeg = 5;
inline constexpr double kMinMajorMm = 100;
inline constexpr double kMaxMajorMm = 2000;

// Where the ellipse's point for a sun `hourAngleDeg` west of the meridian
// lies from the centre, and where the person stands for declination
// `declinationDeg`: east and north of the centre, mm. Latitude south negative.
struct GroundOffset {
    double eastMm = 0;
    double northMm = 0;
};
GroundOffset HourPointOffset(double majorMm, double latitudeDeg, double hourAngleDeg);
double DateScaleNorthMm(double majorMm, double latitudeDeg, double declinationDeg);

// The first thing wrong with an analemmatic dial's options, or nothing: the
// axis, and the plate if one is given (0 x 0 lets the dial choose).
std::optional<std::string> CheckAnalemmaticOptions(const PlanOptions& options);

// Why an analemmatic dial cannot be laid out at this latitude (south
// negative), or nothing.
std::optional<std::string> AnalemmaticLatitudeProblem(double latitudeDeg);

// The plan of options.analemmaticMajorMm's dial at `site`: the ellipse, the
// hour points and numerals, the date scale, the north arrow, the centre
// mark and the setting-out strip below. Its gnomon drawing is empty.
PlanResult BuildAnalemmaticPlan(const SiteState& site, const PlanOptions& options);

}  // namespace sundial::plan
