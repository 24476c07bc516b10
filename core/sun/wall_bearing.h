// The wall's true bearing measured with the sun: at a noted clock time the
// sun's azimuth is known to a hundredth of a degree, so one reading taken
// against the wall gives the direction the wall faces.
//
// Bearings and azimuths are degrees clockwise from true north, 0 <= b < 360.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/site/site_state.h"
#include "core/sun/clock_time.h"
#include "core/sun/solar_position.h"

namespace sundial {

// Where the readings are taken, and the zone their clock keeps.
struct Observer {
    double latitudeDeg = 0;
    double longitudeWestDeg = 0;  // WEST positive
    double utcOffsetHours = 0;    // the readings' clock shows UTC + this
};

Observer ObserverAt(const SiteState& site);

enum class ReadingMethod {
    // A board held level against the wall with a vertical pin on it: the
    // angle `a` from a line on the board square to the wall to the pin's
    // shadow, positive when the shadow is turned clockwise seen from above.
    // The wall faces the sun's azimuth less `a`.
    Shadow,
    // The moment the sun just comes onto the wall face, or just leaves it:
    // the sun then stands in the wall's plane, 90 degrees from its bearing.
    Enters,
    Leaves,
};

struct WallReading {
    ReadingMethod method = ReadingMethod::Shadow;
    ClockTime clock;            // in the observer's zone
    double shadowAngleDeg = 0;  // Shadow only: a, strictly between -90 and 90
};

struct ReadingBearing {
    SolarPosition sun;
    double bearingDeg = 0;
};

struct ReadingResult {
    std::optional<ReadingBearing> value;
    std::string error;  // when refused: why, as a sentence without the reading's name
};

// One reading's bearing. Refused when its time cannot be computed, the sun is
// below the horizon (apparent altitude), or a shadow angle lies outside -90 to
// 90 (the sun would be behind the wall).
//
// The sun normally moves clockwise, entering a wall's face at bearing - 90
// and leaving it at bearing + 90. Where it passes north of the zenith (low
// latitudes in summer) its azimuth runs backwards for part of the day, and
// the edges swap: the direction it is moving at the reading decides.
ReadingResult BearingFromReading(const Observer& observer, const WallReading& reading);

// "shadow", "enters" or "leaves": the reading's kind as the command line
// names it.
const char* MethodName(ReadingMethod method);

// "reading 2 (shadow at 2026-06-21T10:15:00)", for messages; numbered from 1.
std::string ReadingLabel(int number, const WallReading& reading);

// Readings whose mean bearing spreads more than this earn a warning.
inline constexpr double kSpreadWarningDeg = 1.0;

struct WallBearingMeasurement {
    std::vector<ReadingBearing> readings;  // in the order given
    double meanDeg = 0;                    // taken round the circle: 359 and 1 give 0
    std::optional<double> spreadDeg;       // sample standard deviation; none for one reading
    std::string warning;                   // a spread over 1 degree: names the furthest reading
    // The mean rounded to hundredths, when it lies within the range the dial
    // is designed for (110 to 250); otherwise `facing` tells the user why not.
    std::optional<double> offeredDeg;
    std::string facing;
};

struct MeasurementResult {
    std::optional<WallBearingMeasurement> value;
    std::string error;  // the first refused reading, by name, and why; or no readings
};

MeasurementResult MeasureWallBearing(const Observer& observer,
                                     const std::vector<WallReading>& readings);

// The mean, spread, warning and offer for bearings already taken from
// readings (at least one); `labels` name them in the warning, as ReadingLabel
// does. For readings taken in different zones.
WallBearingMeasurement CombineBearings(std::vector<ReadingBearing> readings,
                                       const std::vector<std::string>& labels);

// Which way a bearing points, in the sixteen compass points written out:
// "south", "south-south-west", "east-north-east".
std::string CompassPoint(double bearingDeg);

// 0 <= result < 360.
double NormalisedBearing(double deg);

}  // namespace sundial
