// Clock-time hour curves: for a clock time of the dial's zone, the nodus's
// shadow at that time on every day of a year. The sun runs ahead of the clock
// and behind it by up to 16 minutes through the year, so the shadow traces a
// figure-eight about the straight hour line; a dial with these curves reads
// the clock directly.
#pragma once

#include <vector>

#include "core/engine/dial.h"
#include "core/sun/sun_year.h"

namespace sundial::lines {

// Where the nodus's shadow falls at the curve's clock time on one day.
struct CurveVertex {
    engine::PlatePoint at;  // plate frame (core/engine/plane.h), mm
    int day = 1;            // day of the year, 1 = 1 January
};

// A run of consecutive days on which the sun lights the face at that time.
using CurveRun = std::vector<CurveVertex>;

// One clock time's figure-eight, in two halves told apart on the dial: the
// days on which the sun's declination rises (December solstice to June
// solstice) and those on which it falls (June to December). The halves meet
// at the solstices; each holds its runs in date order.
struct ClockTimeCurve {
    double hour = 0;  // clock hour of the zone, 0 <= hour < 24: 9, 9.5
    std::vector<CurveRun> rising;
    std::vector<CurveRun> falling;
};

// The curves of every whole clock hour (and with `halfHours` every half
// hour) whose shadow falls on the face on at least one day of `sun`'s year,
// in clock order from midnight. The sun is taken at each day's clock time,
// as seen from the site.
std::vector<ClockTimeCurve> ClockTimeCurves(const engine::Dial& dial, const SunYear& sun,
                                            bool halfHours);

}  // namespace sundial::lines
