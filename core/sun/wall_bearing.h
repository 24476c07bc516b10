// The wall's true bearing measured with the sun: at a noted clock time the
// sun's azimuth is known to a hundredth of a degree, so one reading taken
// against the wall gives the direction the wall faces. How well the reading
// itself was taken (the clock's zone, the board's level, the moment judged by
// eye) decides the result; several readings, their agreement and the ones far
// from the rest say how far to trust it.
//
// Bearings and azimuths are degrees clockwise from true north, 0 <= b < 360.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/site/site_state.h"
#include "core/sun/clock_time.h"
#include "core/sun/clock_zone.h"
#include "core/sun/solar_position.h"

namespace sundial {

// Where the readings are taken, and the zone their clock keeps.
struct Observer {
    double latitudeDeg = 0;
    double longitudeWestDeg = 0;  // WEST positive
    double utcOffsetHours = 0;    // the readings' clock shows UTC + this...
    // ...unless a database zone is named ("Europe/London"): then its rules on
    // each reading's date give the offset, summer time included.
    std::string zoneName = {};
};

// The site's coordinates and its fixed offset.
Observer ObserverAt(const SiteState& site);

// The offset the observer's clock kept at `clock`, or why there is none;
// with `given` (written with the time), that offset if the zone kept it then.
ZoneOffset ObserverOffset(const Observer& observer, const ClockTime& clock,
                          std::optional<double> given = std::nullopt);

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
    // A vertical pin on a level dial plate: the angle `a` from the plate's
    // down line (towards its bottom edge) to the pin's shadow, positive
    // towards its right edge, as the template measures angles on the plate.
    // The plate's bearing, the way its down line points, is the sun's
    // azimuth + 180 + a; true north lies at that angle from the down line.
    Pin,
};

// Which moment of a grazing reading was timed. The sun is a disc half a
// degree across, and near the wall's plane its azimuth is what the eye
// judges: first light is the leading edge of the disc crossing the plane,
// last light the trailing edge, centre the middle (hard to judge by eye).
// For Enters, first light is when a sliver of sun first shines on the face;
// for Leaves, last light is when the last sliver goes.
enum class LightEdge { First, Centre, Last };

// How each grazing reading is best timed: first light for Enters, last light
// for Leaves (a point of light appearing or going is easy to see).
LightEdge DefaultEdge(ReadingMethod method);

struct WallReading {
    ReadingMethod method = ReadingMethod::Shadow;
    ClockTime clock;                     // in the observer's zone
    double shadowAngleDeg = 0;           // Shadow: a, strictly between -90 and 90; Pin: -180..180
    LightEdge edge = LightEdge::Centre;  // Enters and Leaves only
    // The clock's offset from UTC, when it was written with the time: it
    // says which of a repeated hour was meant.
    std::optional<double> utcOffsetHours = {};

    friend bool operator==(const WallReading&, const WallReading&) = default;
};

struct ReadingBearing {
    SolarPosition sun;
    double bearingDeg = 0;
    double utcOffsetHours = 0;  // the offset applied to the reading's clock
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

// "shadow", "enters", "leaves" or "pin": the reading's kind as the command
// line names it.
const char* MethodName(ReadingMethod method);

// "first", "centre", "last"; and back (nothing for other text).
const char* EdgeName(LightEdge edge);
std::optional<LightEdge> EdgeNamed(std::string_view name);

// "reading 2 (shadow at 2026-06-21T10:15:00)", for messages; numbered from 1.
std::string ReadingLabel(int number, const WallReading& reading);

// Readings whose mean bearing spreads more than this earn a warning.
inline constexpr double kSpreadWarningDeg = 1.0;
// The result is offered to the dial only when the kept readings spread less.
inline constexpr double kOfferSpreadLimitDeg = 2.0;
// A reading further from the median than this many robust deviations (and
// further than kSpreadWarningDeg) is left out of the result; only among three
// readings or more, where a median means something.
inline constexpr double kOutlierDeviations = 3.0;

struct WallBearingMeasurement {
    std::vector<ReadingBearing> readings;  // in the order given
    // Taken round the circle (359 and 1 give 0), over the kept readings.
    double meanDeg = 0;
    std::optional<double> spreadDeg;  // sample standard deviation of the kept; none for one
    double medianDeg = 0;             // of all readings
    // 1.4826 times the median absolute deviation from the median: the
    // standard deviation the readings would have without their outliers.
    std::optional<double> robustSpreadDeg;
    std::vector<double> residualsDeg;  // each reading's bearing less meanDeg, -180..180
    std::vector<bool> leftOut;         // readings far from the others, not in the mean
    std::string warning;               // a spread over 1 degree, or readings left out
    // Every reading agrees far better with the clock an hour off: the zone's
    // summer time was probably missed (or applied twice). Replaces the blame
    // of one reading; the result is then not offered.
    std::string clockHint;
    // The mean rounded to hundredths, when the kept readings agree within
    // kOfferSpreadLimitDeg and it lies within the range the dial is designed
    // for (110 to 250); otherwise `facing` or `advice` tells the user why not.
    std::optional<double> offeredDeg;
    std::string facing;
    std::string advice;
};

struct MeasurementResult {
    std::optional<WallBearingMeasurement> value;
    std::string error;  // the first refused reading, by name, and why; or no readings
};

// Pin readings measure a level plate, the others a wall: they do not mix.
// For pins the mean is the plate's bearing, offered whatever it is (a plate
// may lie any way round), and `facing` stays empty.
MeasurementResult MeasureWallBearing(const Observer& observer,
                                     const std::vector<WallReading>& readings);

// Where true north lies on a level plate of bearing `plateBearingDeg`:
// degrees from the plate's up line (towards its top edge), positive towards
// its right edge; -180 < result <= 180. 0 for a plate lying with north at
// its top, the template's horizontal dial of bearing 180.
double NorthFromPlateTop(double plateBearingDeg);

// The mean, spread, outliers, warning and offer for bearings already taken
// from readings (at least one); `labels` name them in the warning, as
// ReadingLabel does. For readings taken in different zones.
WallBearingMeasurement CombineBearings(std::vector<ReadingBearing> readings,
                                       const std::vector<std::string>& labels);

// Which way a bearing points, in the sixteen compass points written out:
// "south", "south-south-west", "east-north-east".
std::string CompassPoint(double bearingDeg);

// 0 <= result < 360.
double NormalisedBearing(double deg);

}  // namespace sundial
