#include "core/sun/wall_bearing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace sundial {

namespace {

// A number as messages show it: fixed, `decimals` places, always a full stop.
std::string Fixed(double value, int decimals) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) {
        // Too many digits to show fixed (1e63): the shortest exact form.
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    }
    std::string text(buffer, end);
    // A value that rounds to nothing is shown without a sign.
    if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

// -180 < result <= 180.
double SignedDifference(double deg) {
    double d = std::fmod(deg, 360.0);
    if (d <= -180.0) d += 360.0;
    if (d > 180.0) d -= 360.0;
    return d;
}

// Half a minute either side: long enough for the azimuth to move measurably,
// short enough to be the direction at the reading.
constexpr double kRateStepHours = 0.5 / 60.0;

// +1 when the sun's azimuth is growing (moving clockwise) at the reading, -1
// when shrinking, 0 when it cannot tell.
int AzimuthSense(const Observer& o, const ClockTime& clock) {
    const SolarResult before = SunAt(o.latitudeDeg, o.longitudeWestDeg,
                                     ShiftClock(clock, -kRateStepHours), o.utcOffsetHours);
    const SolarResult after = SunAt(o.latitudeDeg, o.longitudeWestDeg,
                                    ShiftClock(clock, kRateStepHours), o.utcOffsetHours);
    if (!before.position || !after.position) return 0;
    const double change =
        SignedDifference(after.position->azimuthDeg - before.position->azimuthDeg);
    // A thousandth of a degree a minute is at the limit of what the readings
    // resolve; slower than that the sun is at the turn of its azimuth.
    if (std::fabs(change) < 1e-3) return 0;
    return change > 0 ? 1 : -1;
}

}  // namespace

Observer ObserverAt(const SiteState& site) {
    return {site.Latitude, site.Longitude, site.UtcOffset};
}

double NormalisedBearing(double deg) {
    double b = std::fmod(deg, 360.0);
    if (b < 0) b += 360.0;
    // fmod of a tiny negative number can come back as 360 after the addition.
    return b >= 360.0 ? 0.0 : b;
}

const char* MethodName(ReadingMethod method) {
    switch (method) {
        case ReadingMethod::Shadow:
            return "shadow";
        case ReadingMethod::Enters:
            return "enters";
        case ReadingMethod::Leaves:
            return "leaves";
    }
    return "";
}

std::string ReadingLabel(int number, const WallReading& reading) {
    return "reading " + std::to_string(number) + " (" + MethodName(reading.method) + " at " +
           ClockTimeText(reading.clock) + ")";
}

std::string CompassPoint(double bearingDeg) {
    static const char* const kPoints[16] = {
        "north", "north-north-east", "north-east", "east-north-east",
        "east",  "east-south-east",  "south-east", "south-south-east",
        "south", "south-south-west", "south-west", "west-south-west",
        "west",  "west-north-west",  "north-west", "north-north-west"};
    const auto sector = static_cast<int>(std::floor(NormalisedBearing(bearingDeg) / 22.5 + 0.5));
    return kPoints[sector % 16];
}

ReadingResult BearingFromReading(const Observer& o, const WallReading& reading) {
    ReadingResult result;
    if (reading.method == ReadingMethod::Shadow && !(std::fabs(reading.shadowAngleDeg) < 90.0)) {
        result.error = std::isfinite(reading.shadowAngleDeg)
                           ? "the shadow's angle must lie between -90 and 90 degrees; at " +
                                 Fixed(reading.shadowAngleDeg, 2) +
                                 " the sun would be behind the wall."
                           : "the shadow's angle is not a number.";
        return result;
    }
    const SolarResult sun =
        SunAt(o.latitudeDeg, o.longitudeWestDeg, reading.clock, o.utcOffsetHours);
    if (!sun.position) {
        result.error = sun.error;
        return result;
    }
    const SolarPosition& p = *sun.position;
    if (p.apparentAltitudeDeg <= 0) {
        result.error = "the sun is below the horizon then (altitude " +
                       Fixed(p.apparentAltitudeDeg, 2) + " degrees).";
        return result;
    }
    double bearing = 0;
    if (reading.method == ReadingMethod::Shadow) {
        bearing = p.azimuthDeg - reading.shadowAngleDeg;
    } else {
        const int sense = AzimuthSense(o, reading.clock);
        if (sense == 0) {
            result.error =
                "the sun's azimuth is standing still then, so the moment does not show "
                "which edge of the wall it crossed; take a reading at another time.";
            return result;
        }
        // Moving clockwise, the sun comes onto the face at its anticlockwise
        // edge, bearing - 90, and leaves it at bearing + 90; moving the other
        // way, the other way round.
        const bool atAnticlockwiseEdge = (reading.method == ReadingMethod::Enters) == (sense > 0);
        bearing = atAnticlockwiseEdge ? p.azimuthDeg + 90.0 : p.azimuthDeg - 90.0;
    }
    result.value = ReadingBearing{p, NormalisedBearing(bearing)};
    return result;
}

MeasurementResult MeasureWallBearing(const Observer& o, const std::vector<WallReading>& readings) {
    MeasurementResult result;
    if (readings.empty()) {
        result.error = "there are no readings.";
        return result;
    }
    std::vector<ReadingBearing> bearings;
    std::vector<std::string> labels;
    for (size_t i = 0; i < readings.size(); ++i) {
        const ReadingResult one = BearingFromReading(o, readings[i]);
        std::string label = ReadingLabel(static_cast<int>(i + 1), readings[i]);
        if (!one.value) {
            label[0] = 'R';
            result.error = label + ": " + one.error;
            return result;
        }
        bearings.push_back(*one.value);
        labels.push_back(std::move(label));
    }
    result.value = CombineBearings(std::move(bearings), labels);
    return result;
}

WallBearingMeasurement CombineBearings(std::vector<ReadingBearing> readings,
                                       const std::vector<std::string>& labels) {
    WallBearingMeasurement m;
    m.readings = std::move(readings);
    if (m.readings.empty()) return m;

    // Round the circle: each bearing as an offset from the first, so that
    // readings either side of north average to north and not to south.
    const double origin = m.readings.front().bearingDeg;
    std::vector<double> offsets;
    for (const ReadingBearing& r : m.readings) {
        offsets.push_back(SignedDifference(r.bearingDeg - origin));
    }
    double sum = 0;
    for (double d : offsets) sum += d;
    const double meanOffset = sum / static_cast<double>(offsets.size());
    m.meanDeg = NormalisedBearing(origin + meanOffset);

    if (offsets.size() > 1) {
        double squares = 0;
        size_t furthest = 0;
        for (size_t i = 0; i < offsets.size(); ++i) {
            const double d = offsets[i] - meanOffset;
            squares += d * d;
            if (std::fabs(d) > std::fabs(offsets[furthest] - meanOffset)) furthest = i;
        }
        m.spreadDeg = std::sqrt(squares / static_cast<double>(offsets.size() - 1));
        if (*m.spreadDeg > kSpreadWarningDeg) {
            const std::string name = furthest < labels.size()
                                         ? labels[furthest]
                                         : "reading " + std::to_string(furthest + 1);
            m.warning = "The readings spread by " + Fixed(*m.spreadDeg, 2) + " degrees; " + name +
                        " is furthest from the mean, " +
                        Fixed(std::fabs(offsets[furthest] - meanOffset), 2) +
                        " degrees off: check it or take it again.";
        }
    }

    const double rounded = NormalisedBearing(std::round(m.meanDeg * 100.0) / 100.0);
    if (rounded >= kMinBearing && rounded <= kMaxBearing) {
        m.offeredDeg = rounded;
    } else {
        m.facing = "The wall faces " + Fixed(rounded, 2) + " degrees, towards the " +
                   CompassPoint(rounded) +
                   "; this program designs dials for walls facing 110 to 250 degrees.";
    }
    return m;
}

}  // namespace sundial
