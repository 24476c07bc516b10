// The site and a run's results as JSON, the machine-readable twin of the
// Calculations report, in a layout of its own (version 1):
//
//   version            1; a reader refuses a version it does not know
//   conventions        the signs below, in words
//   place              the site's name
//   latitude           degrees, positive north
//   longitude          degrees, positive west of Greenwich
//   wallBearing        degrees clockwise from true north the wall faces
//   wallDeclination    degrees the wall turns from due south ...
//   declinationSide    ... towards "west" or "east" ("south": not at all)
//   utcOffset          the zone, hours ahead of UTC
//   gnomonAngle        the style's height: its angle with the wall, degrees
//   gnomonOffset       the foot line's (the substyle's) angle on the dial
//   substyleHourAngle  the sun's hour angle, degrees, when the shadow lies on
//                      the foot line
//   hours              [{hour, angle}], the report's hour table
//
// Angles on the dial face (gnomonOffset, hours' angle) are degrees from the
// downward vertical through the root, positive to the right as one faces the
// dial (facing_angle.h). Numbers are numbers; a single is written as the
// shortest text that reads back to it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/dial/geometry.h"
#include "core/site/site_state.h"

namespace sundial {

inline constexpr int kRunJsonVersion = 1;

// The document's text, as the report command prints it and batch writes it.
std::string RunJson(const SiteState& site, const DialGeometry& dial);

// The shortest text that reads back to the same single, as a JSON number.
nlohmann::json SingleJson(float value);

}  // namespace sundial
