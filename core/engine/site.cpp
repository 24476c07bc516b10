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

SiteFrame::SiteFrame(const Site& site) {
    // The earth's ellipsoid as positions are given on it, metres.
    constexpr double kEquatorRadiusM = 6378137.0;
    constexpr double kFlattening = 1 / 298.257223563;
    const double e2 = kFlattening * (2 - kFlattening);
    const double phi = Rad(site.latitudeDeg);
    const double s = std::sin(phi), c = std::cos(phi);
    sinLatitude = s;
    cosLatitude = c;
    // The site seen from the centre, in the local frame: up, and off toward
    // the equator, where the ellipsoid's normal misses the centre.
    const double n = kEquatorRadiusM / std::sqrt(1 - e2 * s * s);
    offCentreM = {0, -n * e2 * s * c, n * (1 - e2 * s * s)};
}

SunDay::SunDay(double declinationDeg)
    : sinDeclination(std::sin(Rad(declinationDeg))),
      cosDeclination(std::cos(Rad(declinationDeg))) {}

Vec3 SunDirection(const SiteFrame& site, const SunDay& day, double hourAngleDeg) {
    const double h = Rad(hourAngleDeg);
    const double sinH = std::sin(h), cosH = std::cos(h);
    const double sd = day.sinDeclination, cd = day.cosDeclination;
    return {-cd * sinH, sd * site.cosLatitude - cd * cosH * site.sinLatitude,
            sd * site.sinLatitude + cd * cosH * site.cosLatitude};
}

Vec3 SunDirection(const Site& site, double declinationDeg, double hourAngleDeg) {
    return SunDirection(SiteFrame(site), SunDay(declinationDeg), hourAngleDeg);
}

Vec3 SunSeenFromSite(const SiteFrame& site, Vec3 fromCentre, double distanceAu) {
    // The astronomical unit, metres.
    constexpr double kAuM = 149597870700.0;
    return Unit((distanceAu * kAuM) * fromCentre - site.offCentreM);
}

Vec3 SunSeenFromSite(const Site& site, Vec3 fromCentre, double distanceAu) {
    return SunSeenFromSite(SiteFrame(site), fromCentre, distanceAu);
}

Vec3 NorthPole(const Site& site) {
    const double phi = Rad(site.latitudeDeg);
    return {0, std::cos(phi), std::sin(phi)};
}

}  // namespace sundial::engine
