// The site ranges the field tools and the template share, wider than the
// location dialog's 15 to 70 degrees north: any latitude a flat dial still
// works at, any longitude, and every zone a clock keeps. Each check gives
// nothing when the value is fine, else what to type, without naming the box
// or option it came from; callers put that name in front.
#pragma once

#include <optional>
#include <string>

namespace sundial {

inline constexpr double kFieldLatitudeLimit = 89;  // degrees, north or south
inline constexpr double kFieldZoneEarliest = -12;  // hours from UTC
inline constexpr double kFieldZoneLatest = 14;

// A signed latitude, north positive.
std::optional<std::string> FieldLatitudeFault(double degrees);
// A longitude's size; its side (east or west) is chosen apart.
std::optional<std::string> FieldLongitudeFault(double magnitude);
// A fixed zone in hours: within the range, in quarter hours.
std::optional<std::string> FieldZoneFault(double hours);

}  // namespace sundial
