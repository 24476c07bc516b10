#include "dialogs/input_rules.h"

#include "shell/site_state.h"

namespace sundial {

bool LatitudeAccepted(float latitude) {
    return latitude >= kMinLatitude && latitude <= kMaxLatitude;
}

bool LongitudeMagnitudeAccepted(float magnitude) {
    return magnitude >= 0 && magnitude <= kMaxLongitude;
}

bool BearingAccepted(float bearing) { return bearing >= kMinBearing && bearing <= kMaxBearing; }

bool GnomonLengthAccepted(float length) { return length >= 1 && length <= 1000; }

int ZoneForLongitude(float longitudeWest) {
    const double l = longitudeWest;
    if (l > -7.5 && l <= 7.5) return 0;
    for (int n = 1; n <= 11; ++n) {
        if (l > -(15.0 * n + 7.5) && l <= -(15.0 * n - 7.5)) return n;   // east
        if (l > 15.0 * n - 7.5 && l <= 15.0 * n + 7.5) return -n;        // west
    }
    return 12;  // either side of the 180th meridian
}

}  // namespace sundial
