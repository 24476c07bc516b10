#include "core/rules/input_rules.h"

#include <cmath>

#include "core/dial/geometry.h"
#include "core/site/number_text.h"
#include "core/site/site_state.h"

namespace sundial {

namespace {

// Adds one to the decimal digit string `digits` (no sign, no point); returns
// true when the carry runs off the front.
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

}  // namespace

std::optional<float> UsableSingle(TypedNumber typed) {
    if (!typed) return std::nullopt;
    const float value = static_cast<float>(*typed);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

bool LatitudeAccepted(float latitude) {
    return latitude >= kMinLatitude && latitude <= kMaxLatitude;
}

bool LongitudeMagnitudeAccepted(float magnitude) {
    return magnitude >= 0 && magnitude <= kMaxLongitude;
}

bool BearingAccepted(float bearing) {
    return bearing >= kMinBearing && bearing <= kMaxBearing;
}

bool GnomonLengthAccepted(float length) {
    return length >= 1 && length <= 1000;
}

int ZoneForLongitude(float longitudeWest) {
    const double l = longitudeWest;
    if (l > -7.5 && l <= 7.5) return 0;
    for (int n = 1; n <= 11; ++n) {
        if (l > -(15.0 * n + 7.5) && l <= -(15.0 * n - 7.5)) return n;  // east
        if (l > 15.0 * n - 7.5 && l <= 15.0 * n + 7.5) return -n;       // west
    }
    return 12;  // either side of the 180th meridian
}

LatLongVerdict CheckLatLong(TypedNumber latitude, TypedNumber longitudeMagnitude, bool east) {
    LatLongVerdict verdict;
    const std::optional<float> lat = UsableSingle(latitude);
    const std::optional<float> lon = UsableSingle(longitudeMagnitude);
    if (!lat || !lon) return verdict;
    if (!LatitudeAccepted(*lat)) {
        verdict.outcome = InputOutcome::Warn;
        verdict.message = kLatitudeMessage;
        return verdict;
    }
    if (!LongitudeMagnitudeAccepted(*lon)) {
        verdict.outcome = InputOutcome::Warn;
        verdict.message = kLongitudeMessage;
        return verdict;
    }
    verdict.outcome = InputOutcome::Accept;
    verdict.latitude = *lat;
    // 0 typed with "East" must not become -0: it would reopen as "East".
    verdict.longitude = (east && *lon != 0) ? -*lon : *lon;
    verdict.zone = ZoneForLongitude(verdict.longitude);
    return verdict;
}

BearingVerdict CheckBearing(TypedNumber bearing) {
    BearingVerdict verdict;
    const std::optional<float> b = UsableSingle(bearing);
    if (!b) return verdict;
    if (!BearingAccepted(*b)) {
        verdict.outcome = InputOutcome::Warn;
        verdict.message = kBearingMessage;
        return verdict;
    }
    verdict.outcome = InputOutcome::Accept;
    verdict.bearingText = NumberText(*b);
    return verdict;
}

void ApplyBearing(SiteState& site, const std::string& bearingText) {
    site.WallBearing = bearingText;
    DeriveDeclination(site);
}

std::string TwoDecimalFormat(double value) {
    if (!std::isfinite(value)) return DecimalText(value, 7);
    // Round the decimal digits, not the binary value: 15 significant digits
    // first, so that 2.675 (stored as 2.67499999...) rounds up as written.
    const std::string text = DecimalText(std::fabs(value), 15);
    const size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    fraction.resize(3, '0');
    const bool roundUp = fraction[2] >= '5';
    std::string digits = whole + fraction.substr(0, 2);
    if (roundUp && IncrementDigits(digits)) digits.insert(digits.begin(), '1');
    whole = digits.substr(0, digits.size() - 2);
    fraction = digits.substr(digits.size() - 2);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (whole == "0") whole.clear();
    const bool zero = whole.empty() && fraction.empty();
    return (value < 0 && !zero ? "-" : "") + whole + "." + fraction;
}

std::string ForwardAngleLine(float gnomonAngleDeg) {
    return "   Forward angle is " + TwoDecimalFormat(FloorTenthsSingle(gnomonAngleDeg)) +
           " degrees. ";
}

GnomonVerdict CheckGnomonLength(TypedNumber adjacent, float gnomonAngleDeg) {
    GnomonVerdict verdict;
    const std::optional<float> a = UsableSingle(adjacent);
    if (!a) return verdict;
    if (!GnomonLengthAccepted(*a)) {
        verdict.outcome = InputOutcome::Warn;
        verdict.message = kGnomonLengthMessage;
        return verdict;
    }
    const double g = DegToRad(gnomonAngleDeg);
    const double hypotenuse = *a / std::cos(g);
    const double opposite = *a * std::tan(g);
    // The slant side is rounded down like every angle-derived figure shown;
    // the level side is rounded to nearest by the format instead.
    verdict.outcome = InputOutcome::Accept;
    verdict.sides = {TwoDecimalFormat(FloorTenths(hypotenuse)), TwoDecimalFormat(opposite)};
    return verdict;
}

}  // namespace sundial
