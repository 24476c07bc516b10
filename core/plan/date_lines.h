// The nodus's shadow: through one day for a given declination of the sun (the
// date lines), and at 12:00 clock time through the year (the noon
// figure-eight). Paths are on the plate in millimetres, cut to an area.
#pragma once

#include <string>
#include <vector>

#include "core/engine/dial.h"
#include "core/plan/drawing.h"
#include "core/plan/plan.h"

namespace sundial::plan {

// The solstices' and equinoxes' declination.
inline constexpr double kSolsticeDeclinationDeg = engine::kSolsticeDeclinationDeg;

// The sun's declination (degrees) on a day of the year at noon UT, from a
// low-precision solar formula (within about 0.05 degrees; the date lines of
// the first of the month are drawn with it). Month 1..12, day 1..31.
double ApproximateDeclination(int month, int day);

struct DateCurve {
    double declinationDeg = 0;
    std::string label;  // "21 Jun", "1 Feb"
};

// The solstices and equinoxes, then with `months` the first of every month.
std::vector<DateCurve> DateCurvesFor(bool months);

// Vertices lie exactly on the shadow; between them a chord strays from the
// curve by at most this much.
inline constexpr double kPathToleranceMm = 0.01;

// The shadow of the dial's nodus while the sun lights the face on a day of
// declination `declinationDeg`, the sun seen from the site at its mean
// distance: the runs of the path inside `area`. Ends where the sun rises or
// sets are exact.
std::vector<std::vector<Point>> DayPath(const engine::Dial& dial, double declinationDeg,
                                        const Rect& area);

// The nodus's shadow at 12:00 clock time on each sample's day, joined in date
// order round the year, the runs inside `area`.
std::vector<std::vector<Point>> NoonPath(const engine::Dial& dial, std::vector<SunSample> samples,
                                         const Rect& area);

}  // namespace sundial::plan
