// The old hour systems a dial maker may add: Italian hours, counted from the
// last sunset; Babylonian hours, counted from sunrise; and temporal hours,
// which divide each day's daylight into twelve. Sunrise and sunset are those
// of the sun's centre on the geometric horizon (no refraction, no
// semi-diameter), as dials have always taken them.
//
// On a flat face the nodus's shadow for one Italian or Babylonian hour lies
// on a straight line: the sun's directions at that hour, over all
// declinations, are the horizon's great circle turned about the earth's axis
// by the hour, and the line is where that circle's plane through the nodus
// meets the face. A temporal hour's shadow follows a gentle curve.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "core/engine/dial.h"

namespace sundial::lines {

enum class HourSystem { Italian, Babylonian, Temporal };

// The hours a system numbers on a dial: Italian and Babylonian 1 to 23,
// temporal 0 (sunrise) to 12 (sunset).
int FirstHour(HourSystem system);
int LastHour(HourSystem system);

// The sun's hour angle, degrees (core/engine/site.h), `hour` hours into the
// system on a day of declination `declinationDeg`; nothing when the sun
// neither rises nor sets that day, or when that hour falls in the night.
std::optional<double> SystemHourAngleDeg(const engine::Site& site, HourSystem system, double hour,
                                         double declinationDeg);

// Where the nodus's shadow falls at that hour on that day, plate frame mm;
// nothing at night or when the sun is behind the face (or so nearly in its
// plane that the shadow lies beyond any plate).
std::optional<engine::PlatePoint> SystemShadow(const engine::Dial& dial, HourSystem system,
                                               double hour, double declinationDeg);

// The ranges of declination within +-limitDeg, rising, over which the hour's
// shadow falls on the face; each range's ends are exact to 1e-9 degrees.
std::vector<std::pair<double, double>> LitSystemDeclinations(
    const engine::Dial& dial, HourSystem system, double hour,
    double limitDeg = engine::kSolsticeDeclinationDeg);

}  // namespace sundial::lines
