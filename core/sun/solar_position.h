// Where the sun stands, seen from a place on the Earth at an instant, from the
// standard astronomy routines of ERFA (its planetary ephemeris, precession,
// nutation, aberration and Earth rotation).
//
// Angles are degrees. Azimuth is measured clockwise from true north. Longitude
// follows the site's convention: WEST positive, east negative. The clock keeps
// UTC + utcOffsetHours; UT1 is taken as UTC, which never differs by more than
// 0.9 s (0.004 degrees of hour angle).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/sun/clock_time.h"

namespace sundial {

// The years for which the ephemeris is trusted to the accuracy stated below.
inline constexpr int kFirstSunYear = 1900;
inline constexpr int kLastSunYear = 2100;

struct SolarPosition {
    double azimuthDeg = 0;           // 0 <= azimuth < 360
    double altitudeDeg = 0;          // geometric: seen from the place, no refraction
    double apparentAltitudeDeg = 0;  // with standard refraction: where the eye sees it
    double declinationDeg = 0;       // apparent, from the Earth's centre, true equator of date
    double hourAngleDeg = 0;         // local, -180..180, positive after the sun's transit
    double equationOfTimeMin = 0;    // apparent minus mean solar time, minutes
    double semiDiameterDeg = 0;      // the disc's radius as seen from the place
};

struct SolarResult {
    std::optional<SolarPosition> position;
    std::string error;  // when there is no position: a sentence for the user
};

// The sun at clock time `clock` in the zone UTC + `utcOffsetHours`. Refused,
// with a reason, for a date or time that does not exist, an instant outside
// the years 1900 to 2100 (in UTC), a latitude beyond +-90 or a longitude
// beyond +-180 degrees, or an offset beyond +-24 hours.
SolarResult SunAt(double latitudeDeg, double longitudeWestDeg, const ClockTime& clock,
                  double utcOffsetHours);

// The same sun as seen from the place only: azimuth, altitudes, hour angle and
// semi-diameter, with declination and equation of time left at 0. What a
// reading needs, at about half the cost.
SolarResult SunSeenAt(double latitudeDeg, double longitudeWestDeg, const ClockTime& clock,
                      double utcOffsetHours);

// The sun from the Earth's centre at a UTC instant: what a table of many
// instants needs, at a fraction of SunAt's cost. Nothing outside 1900 to 2100
// or for an instant that does not exist.
struct CentreSun {
    double declinationDeg = 0;     // as SolarPosition's
    double equationOfTimeMin = 0;  // as SolarPosition's
    double distanceAu = 1;         // from the earth's centre, astronomical units
};
std::optional<CentreSun> SunFromCentre(const ClockTime& utc);
// The same at `count` instants `stepDays` apart from `first` (UTC), for a
// table: the Earth's ephemeris, most of the cost, is read at every other
// instant, and the Earth between taken from its motion either side: for
// steps of four days within 0.2 seconds of arc in declination and 0.02
// seconds of time in the equation of time. Nothing when any instant is out
// of range.
std::optional<std::vector<CentreSun>> SunFromCentreEvery(const ClockTime& first, double stepDays,
                                                         int count);

// Standard refraction (1010 hPa, 10 degrees C) for a geometric altitude: how
// much higher the sun appears, degrees. Below one degree under the horizon the
// sun is out of sight anyway; the lift is held at its value there.
double StandardRefractionDeg(double geometricAltitudeDeg);

}  // namespace sundial
