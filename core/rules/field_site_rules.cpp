#include "core/rules/field_site_rules.h"

#include <cmath>

namespace sundial {

std::optional<std::string> FieldLatitudeFault(double degrees) {
    if (degrees >= -kFieldLatitudeLimit && degrees <= kFieldLatitudeLimit) return std::nullopt;
    return "the latitude must be from -89 (south) to 89 (north).";
}

std::optional<std::string> FieldLongitudeFault(double magnitude) {
    if (magnitude >= 0 && magnitude <= 180) return std::nullopt;
    return "the longitude must be from 0 to 180 degrees";
}

std::optional<std::string> FieldZoneFault(double hours) {
    // Zones keep to whole minutes, and every zone in use is a quarter hour.
    if (hours >= kFieldZoneEarliest && hours <= kFieldZoneLatest &&
        std::fmod(hours * 4, 1.0) == 0) {
        return std::nullopt;
    }
    return "the zone must be from -12 to 14 hours, in quarter hours (5.75).";
}

}  // namespace sundial
