// Where the dial stands and which clock it keeps, and the sun as seen from
// there.
//
// Local frame for every vector in the engine: x east, y north, z up.
// Hour angles in degrees, 0 at apparent noon, positive in the afternoon
// (the sun west of the meridian). Declinations in degrees, north positive.
#pragma once

#include <optional>
#include <string>

#include "core/engine/vec3.h"

namespace sundial::engine {

// The sun's declination at the solstices, degrees: the year's range.
inline constexpr double kSolsticeDeclinationDeg = 23.44;

struct Site {
    double latitudeDeg = 0;       // -89..89, north positive, south negative
    double longitudeEastDeg = 0;  // -180..180, EAST positive (SiteState stores west positive)
    double zoneHours = 0;         // clock = UTC + zoneHours, -12..14, fractions allowed (5.75)
};

inline constexpr double kMaxSiteLatitude = 89;
inline constexpr double kMinZoneHours = -12;
inline constexpr double kMaxZoneHours = 14;

// The first thing out of range, as a message for the user, or nothing.
std::optional<std::string> CheckSite(const Site& site);

// The sun's hour angle at a clock time of the site's zone (hours, any real),
// apparent time corrected for longitude: the clock time at which the dial
// shows it. `equationOfTimeMin` (minutes the sun runs ahead of mean time)
// gives the hour angle on a given day instead.
double HourAngleDeg(const Site& site, double clockHours, double equationOfTimeMin = 0);

// The inverse of HourAngleDeg with no equation of time: the zone's clock hour
// in [0, 24) at which the sun has this hour angle.
double ClockHourOf(const Site& site, double hourAngleDeg);

// Unit vector toward the sun for a declination and hour angle.
Vec3 SunDirection(const Site& site, double declinationDeg, double hourAngleDeg);

// A site's latitude worked out once for the many suns of one dial: its sine
// and cosine, and the site's place seen from the earth's centre (metres).
struct SiteFrame {
    explicit SiteFrame(const Site& site);
    double sinLatitude = 0;
    double cosLatitude = 1;
    Vec3 offCentreM;
};

// The sun's circle on one day: its declination's sine and cosine, worked out
// once for the many hour angles of the day.
struct SunDay {
    explicit SunDay(double declinationDeg);
    double sinDeclination = 0;
    double cosDeclination = 1;
};

// SunDirection and SunSeenFromSite from what a site and a day work out once:
// the same vectors to the last bit.
Vec3 SunDirection(const SiteFrame& site, const SunDay& day, double hourAngleDeg);
Vec3 SunSeenFromSite(const SiteFrame& site, Vec3 fromCentre, double distanceAu = 1);

// The unit vector toward the sun seen from the site, for `fromCentre`, the
// unit vector toward it seen from the earth's centre, with the sun
// `distanceAu` astronomical units away: the site stands off the centre by
// the earth's radius (on its ellipsoid, at sea level), which lowers the sun
// by up to 8.8 seconds of arc (its parallax, largest at the horizon).
Vec3 SunSeenFromSite(const Site& site, Vec3 fromCentre, double distanceAu = 1);

// Unit vector along the earth's axis toward the north celestial pole.
Vec3 NorthPole(const Site& site);

}  // namespace sundial::engine
