#include "core/engine/site.h"

#include <cmath>

namespace sundial::engine {

namespace {

bool Within(double v, double low, double high) {
    return v >= low && v <= high;  // false for NaN
}

}  // namespace

std::optional<std::string> CheckSite(const Site& site) {
    if (!Within(site.latitudeDeg, -kMaxSiteLatitude, kMaxSiteLatitude)) {
        return std::string("The latitude must be from 89 south to 89 north (-89 to 89).");
    }
    if (!Within(site.longitudeEastDeg, -180, 180)) {
        return std::string("The longitude must be from 180 west to 180 east.");
    }
    if (!Within(site.zoneHours, kMinZoneHours, kMaxZoneHours)) {
        return std::string("The time zone must be from UTC-12 to UTC+14.");
    }
    return std::nullopt;
}

double HourAngleDeg(const Site& site, double clockHours, double equationOfTimeMin) {
    return (clockHours - site.zoneHours - 12.0) * 15.0 + site.longitudeEastDeg +
           equationOfTimeMin / 4.0;
}

double ClockHourOf(const Site& site, double hourAngleDeg) {
    const double hours = (hourAngleDeg - site.longitudeEastDeg) / 15.0 + 12.0 + site.zoneHours;
    // Rounded to a microsecond first, so that a whole hour a rounding error
    // below midnight wraps to 0, never to 24.
    const double h = std::fmod(std::round(hours * 3.6e9) / 3.6e9, 24.0);
    return h < 0 ? h + 24.0 : h;
}

Vec3 SunDirection(const Site& site, double declinationDeg, double hourAngleDeg) {
    const double phi = Rad(site.latitudeDeg);
    const double d = Rad(declinationDeg);
    const double h = Rad(hourAngleDeg);
    return {-std::cos(d) * std::sin(h),
            std::sin(d) * std::cos(phi) - std::cos(d) * std::cos(h) * std::sin(phi),
            std::sin(d) * std::sin(phi) + std::cos(d) * std::cos(h) * std::cos(phi)};
}

Vec3 SunSeenFromSite(const Site& site, Vec3 fromCentre, double distanceAu) {
    // The earth's ellipsoid as positions are given on it, and the
    // astronomical unit, in metres.
    constexpr double kEquatorRadiusM = 6378137.0;
    constexpr double kFlattening = 1 / 298.257223563;
    constexpr double kAuM = 149597870700.0;
    const double e2 = kFlattening * (2 - kFlattening);
    const double phi = Rad(site.latitudeDeg);
    const double s = std::sin(phi), c = std::cos(phi);
    // The site seen from the centre, in the local frame: up, and off toward
    // the equator, where the ellipsoid's normal misses the centre.
    const double n = kEquatorRadiusM / std::sqrt(1 - e2 * s * s);
    const Vec3 place{0, -n * e2 * s * c, n * (1 - e2 * s * s)};
    return Unit((distanceAu * kAuM) * fromCentre - place);
}

Vec3 NorthPole(const Site& site) {
    const double phi = Rad(site.latitudeDeg);
    return {0, std::cos(phi), std::sin(phi)};
}

}  // namespace sundial::engine
