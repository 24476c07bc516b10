#include "core/sun/wall_bearing.h"

#include <algorithm>
#include <cctype>
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

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

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
int AzimuthSense(const Observer& o, const ClockTime& clock, double offsetHours) {
    const SolarResult before = SunSeenAt(o.latitudeDeg, o.longitudeWestDeg,
                                         ShiftClock(clock, -kRateStepHours), offsetHours);
    const SolarResult after = SunSeenAt(o.latitudeDeg, o.longitudeWestDeg,
                                        ShiftClock(clock, kRateStepHours), offsetHours);
    if (!before.position || !after.position) return 0;
    const double change =
        SignedDifference(after.position->azimuthDeg - before.position->azimuthDeg);
    // A thousandth of a degree a minute is at the limit of what the readings
    // resolve; slower than that the sun is at the turn of its azimuth.
    if (std::fabs(change) < 1e-3) return 0;
    return change > 0 ? 1 : -1;
}

// The sample standard deviation of values about `mean`; none for fewer than two.
std::optional<double> SampleSpread(const std::vector<double>& values, double mean) {
    if (values.size() < 2) return std::nullopt;
    double squares = 0;
    for (double v : values) squares += (v - mean) * (v - mean);
    return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Each bearing as an offset from a reference direction, -180..180: their
// vector mean, so that readings either side of north stay together; the first
// reading when the vectors cancel out.
std::vector<double> OffsetsRoundTheCircle(const std::vector<ReadingBearing>& readings,
                                          double& reference) {
    double x = 0, y = 0;
    for (const ReadingBearing& r : readings) {
        x += std::cos(r.bearingDeg * kDegToRad);
        y += std::sin(r.bearingDeg * kDegToRad);
    }
    reference = std::hypot(x, y) > 1e-9 * static_cast<double>(readings.size())
                    ? std::atan2(y, x) / kDegToRad
                    : readings.front().bearingDeg;
    std::vector<double> offsets;
    offsets.reserve(readings.size());
    for (const ReadingBearing& r : readings) {
        offsets.push_back(SignedDifference(r.bearingDeg - reference));
    }
    return offsets;
}

// The spread falls this many times, and below this, before the clock is
// suspected rather than a reading.
constexpr double kClockHintFactor = 4.0;
constexpr double kClockHintSpreadDeg = 0.5;

// The spread of all readings taken with every clock `shiftHours` off the
// zone's, when it is below `limit`; none when it is not, or a reading cannot
// be computed so. The sum of squared deviations only grows as readings are
// added (Welford), so the walk stops at the first reading that puts the
// spread past the limit: readings that disagree cost a few suns, not all.
std::optional<double> SpreadWithClockShifted(const Observer& o,
                                             const std::vector<WallReading>& readings,
                                             const std::vector<ReadingBearing>& taken,
                                             double shiftHours, double limit) {
    const double n = static_cast<double>(readings.size());
    const double squaresLimit = limit * limit * (n - 1);
    double reference = 0, mean = 0, squares = 0;
    for (size_t i = 0; i < readings.size(); ++i) {
        Observer fixed = o;
        fixed.zoneName.clear();
        fixed.utcOffsetHours = taken[i].utcOffsetHours + shiftHours;
        WallReading shifted = readings[i];
        shifted.utcOffsetHours.reset();  // the shifted clock is the one tried
        const ReadingResult r = BearingFromReading(fixed, shifted);
        if (!r.value) return std::nullopt;
        if (i == 0) reference = r.value->bearingDeg;
        const double x = SignedDifference(r.value->bearingDeg - reference);
        const double delta = x - mean;
        mean += delta / static_cast<double>(i + 1);
        squares += delta * (x - mean);
        if (squares >= squaresLimit) return std::nullopt;
    }
    return std::sqrt(squares / (n - 1));
}

}  // namespace

Observer ObserverAt(const SiteState& site) {
    return {site.Latitude, site.Longitude, site.UtcOffset, {}};
}

ZoneOffset ObserverOffset(const Observer& o, const ClockTime& clock, std::optional<double> given) {
    const ClockZone zone = o.zoneName.empty() ? FixedZone(o.utcOffsetHours) : NamedZone(o.zoneName);
    return given ? OffsetAtClock(zone, clock, *given) : OffsetAtClock(zone, clock);
}

double NorthFromPlateTop(double plateBearingDeg) {
    return SignedDifference(180.0 - plateBearingDeg);
}

ReadingResult BearingFromReading(const Observer& o, const WallReading& reading) {
    ReadingResult result;
    if (reading.method == ReadingMethod::Pin && !(std::fabs(reading.shadowAngleDeg) <= 180.0)) {
        result.error = std::isfinite(reading.shadowAngleDeg)
                           ? "the pin's shadow angle must lie from -180 to 180 degrees."
                           : "the pin's shadow angle is not a number.";
        return result;
    }
    if (reading.method == ReadingMethod::Shadow && !(std::fabs(reading.shadowAngleDeg) < 90.0)) {
        result.error = std::isfinite(reading.shadowAngleDeg)
                           ? "the shadow's angle must lie between -90 and 90 degrees; at " +
                                 Fixed(reading.shadowAngleDeg, 2) +
                                 " the sun would be behind the wall."
                           : "the shadow's angle is not a number.";
        return result;
    }
    if (const std::string wrong = CheckClockTime(reading.clock); !wrong.empty()) {
        result.error = wrong;
        return result;
    }
    const ZoneOffset offset = ObserverOffset(o, reading.clock, reading.utcOffsetHours);
    if (!offset.hours) {
        result.error = offset.error;
        return result;
    }
    const SolarResult sun =
        SunSeenAt(o.latitudeDeg, o.longitudeWestDeg, reading.clock, *offset.hours);
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
    } else if (reading.method == ReadingMethod::Pin) {
        // The pin's shadow points away from the sun, at the plate's down line
        // turned by `a` towards its right edge: anticlockwise seen from above.
        bearing = p.azimuthDeg + 180.0 + reading.shadowAngleDeg;
    } else {
        const int sense = AzimuthSense(o, reading.clock, *offset.hours);
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
        // The disc's centre stands off the wall's plane by its radius seen
        // across the plane: before it at first light, past it at last light.
        // Refraction lifts the disc but does not move it sideways.
        const double ratio =
            std::sin(p.semiDiameterDeg * kDegToRad) / std::cos(p.apparentAltitudeDeg * kDegToRad);
        const double standOffDeg = std::asin(std::min(ratio, 1.0)) / kDegToRad;
        const double ahead = reading.edge == LightEdge::First  ? standOffDeg
                             : reading.edge == LightEdge::Last ? -standOffDeg
                                                               : 0.0;
        const double edgeAzimuth = p.azimuthDeg + sense * ahead;
        bearing = atAnticlockwiseEdge ? edgeAzimuth + 90.0 : edgeAzimuth - 90.0;
    }
    result.value = ReadingBearing{p, NormalisedBearing(bearing), *offset.hours};
    return result;
}

MeasurementResult MeasureWallBearing(const Observer& o, const std::vector<WallReading>& readings) {
    MeasurementResult result;
    if (readings.empty()) {
        result.error = "there are no readings.";
        return result;
    }
    const auto pins = std::count_if(readings.begin(), readings.end(), [](const WallReading& r) {
        return r.method == ReadingMethod::Pin;
    });
    if (pins != 0 && pins != static_cast<long>(readings.size())) {
        result.error =
            "a pin's shadow on a level plate and readings against a wall measure different "
            "things; give the one or the other.";
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
    const std::vector<ReadingBearing> taken = bearings;
    result.value = CombineBearings(std::move(bearings), labels);
    WallBearingMeasurement& m = *result.value;
    if (pins != 0) {
        // A plate lies any way round: the wall's range means nothing to it.
        m.facing.clear();
        if (m.advice.empty()) m.offeredDeg = NormalisedBearing(std::round(m.meanDeg * 100) / 100);
    }

    // Readings spread by the sun's movement in an hour point at the clock,
    // not at one of them.
    if (readings.size() < 2) return result;
    double reference = 0;
    const std::vector<double> all = OffsetsRoundTheCircle(taken, reference);
    double sum = 0;
    for (double d : all) sum += d;
    const std::optional<double> spread = SampleSpread(all, sum / static_cast<double>(all.size()));
    if (!spread) return result;
    for (const double shift : {1.0, -1.0}) {
        const std::optional<double> better = SpreadWithClockShifted(
            o, readings, taken, shift, std::min(kClockHintSpreadDeg, *spread / kClockHintFactor));
        if (better) {
            m.clockHint = "The readings spread by " + Fixed(*spread, 2) +
                          " degrees, but agree within " + Fixed(*better, 2) +
                          " if the clock was one hour " + (shift > 0 ? "ahead" : "behind") +
                          (shift > 0 ? ": was it summer time?" : ": was it still winter time?") +
                          " Check the zone the readings were taken in.";
            m.warning.clear();
            m.offeredDeg.reset();
            m.advice = "The bearing is not offered until the clock's zone is settled.";
            break;
        }
    }
    return result;
}

WallBearingMeasurement CombineBearings(std::vector<ReadingBearing> readings,
                                       const std::vector<std::string>& labels) {
    WallBearingMeasurement m;
    m.readings = std::move(readings);
    if (m.readings.empty()) return m;
    const size_t n = m.readings.size();
    auto label = [&](size_t i) {
        return i < labels.size() ? labels[i] : "reading " + std::to_string(i + 1);
    };

    double reference = 0;
    const std::vector<double> offsets = OffsetsRoundTheCircle(m.readings, reference);
    const double median = Median(offsets);
    m.medianDeg = NormalisedBearing(reference + median);
    m.leftOut.assign(n, false);
    if (n > 1) {
        std::vector<double> deviations;
        for (double d : offsets) deviations.push_back(std::fabs(d - median));
        m.robustSpreadDeg = 1.4826 * Median(deviations);
    }
    std::string leftOutText;
    if (n >= 3) {
        const double limit = std::max(kOutlierDeviations * *m.robustSpreadDeg, kSpreadWarningDeg);
        for (size_t i = 0; i < n; ++i) {
            if (std::fabs(offsets[i] - median) <= limit) continue;
            m.leftOut[i] = true;
            if (!leftOutText.empty()) leftOutText += ' ';
            leftOutText += label(i) + " is " + Fixed(std::fabs(offsets[i] - median), 2) +
                           " degrees from the median and is left out.";
        }
    }

    std::vector<double> kept;
    for (size_t i = 0; i < n; ++i) {
        if (!m.leftOut[i]) kept.push_back(offsets[i]);
    }
    double sum = 0;
    for (double d : kept) sum += d;
    const double meanOffset = sum / static_cast<double>(kept.size());
    m.meanDeg = NormalisedBearing(reference + meanOffset);
    m.spreadDeg = SampleSpread(kept, meanOffset);
    for (double d : offsets) m.residualsDeg.push_back(SignedDifference(d - meanOffset));

    if (!leftOutText.empty()) {
        leftOutText[0] =
            static_cast<char>(std::toupper(static_cast<unsigned char>(leftOutText[0])));
        m.warning = leftOutText + " (A reading more than " + Fixed(kOutlierDeviations, 0) +
                    " robust deviations, and more than " + Fixed(kSpreadWarningDeg, 0) +
                    " degree, from the median is left out.)";
    } else if (m.spreadDeg && *m.spreadDeg > kSpreadWarningDeg) {
        size_t furthest = 0;
        for (size_t i = 1; i < n; ++i) {
            if (std::fabs(m.residualsDeg[i]) > std::fabs(m.residualsDeg[furthest])) furthest = i;
        }
        m.warning = "The readings spread by " + Fixed(*m.spreadDeg, 2) + " degrees; " +
                    label(furthest) + " is furthest from the mean, " +
                    Fixed(std::fabs(m.residualsDeg[furthest]), 2) +
                    " degrees off: check it or take it again.";
    }

    const double rounded = NormalisedBearing(std::round(m.meanDeg * 100.0) / 100.0);
    if (m.spreadDeg && *m.spreadDeg >= kOfferSpreadLimitDeg) {
        m.advice = "The kept readings spread by " + Fixed(*m.spreadDeg, 2) +
                   " degrees; the bearing is offered when they agree within " +
                   Fixed(kOfferSpreadLimitDeg, 0) +
                   ". Check the clock's zone and the board's level, and take more readings: "
                   "with three or more, one far from the rest is left out.";
    } else if (rounded >= kMinBearing && rounded <= kMaxBearing) {
        m.offeredDeg = rounded;
    }
    if (!(rounded >= kMinBearing && rounded <= kMaxBearing)) {
        m.facing = "The wall faces " + Fixed(rounded, 2) + " degrees, towards the " +
                   CompassPoint(rounded) +
                   "; this program designs dials for walls facing 110 to 250 degrees.";
    }
    return m;
}

}  // namespace sundial
