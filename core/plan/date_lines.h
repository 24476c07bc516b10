// The nodus's shadow: through one day for a given declination of the sun (the
// date lines), and at 12:00 clock time through the year (the noon
// figure-eight). Paths are on the plate in millimetres, cut to an area.
#pragma once

#include <string>
#include <vector>

#include "core/plan/drawing.h"
#include "core/plan/plan.h"
#include "core/plan/wall_frame.h"

namespace sundial::plan {

// The solstices' and equinoxes' declination.
inline constexpr double kSolsticeDeclinationDeg = 23.44;

struct DateCurve {
    double declinationDeg = 0;
    std::string label;  // "21 Jun", "1 Feb"
};

// The solstices and equinoxes, then with `months` the first of every month.
std::vector<DateCurve> DateCurvesFor(bool months);

// Vertices lie exactly on the shadow; between them a chord strays from the
// curve by at most this much.
inline constexpr double kPathToleranceMm = 0.01;

// The shadow of the nodus `nodusMm` along the style, root at `root`, while
// the sun lights the wall on a day of declination `declinationDeg`: the runs
// of the path inside `area`. Ends where the sun rises or sets are exact.
std::vector<std::vector<Point>> DayPath(const WallFrame& frame, double nodusMm, Point root,
                                        double declinationDeg, const Rect& area);

// The nodus's shadow at 12:00 clock time on each sample's day, joined in date
// order round the year, the runs inside `area`.
std::vector<std::vector<Point>> NoonPath(const WallFrame& frame, double nodusMm, Point root,
                                         std::vector<SunSample> samples, const Rect& area);

}  // namespace sundial::plan
