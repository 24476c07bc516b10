// What the input dialogs accept, the messages they give, and the rules they
// apply, without any window: ranges are inclusive.
//
// Texts produced here always use a full stop as the decimal separator; the
// dialogs swap in the user's locale separator when they show them.
#pragma once

#include <optional>
#include <string>

namespace sundial {

struct SiteState;

// Message box texts, exactly as the dialogs show them (spelling and trailing
// blanks included).
inline constexpr const char* kLatitudeMessage =
    "Latidude outside the calculation range of 15 to 70 degrees.  ";
inline constexpr const char* kLongitudeMessage = "Set Longitude to between 0 to 180 degrees.  ";
inline constexpr const char* kBearingMessage =
    "Bearing value outside the calculation range of 110 to 250 degrees. ";
inline constexpr const char* kGnomonLengthMessage = "please enter a range between 1 and 1000.  ";

// The gnomon dialog's length box starts with, and falls back to, this text.
inline constexpr const char* kDefaultGnomonLength = "20.1";

bool LatitudeAccepted(float latitude);             // 15..70 degrees north
bool LongitudeMagnitudeAccepted(float magnitude);  // 0..180; the side is chosen apart
bool BearingAccepted(float bearing);               // 110..250 degrees
bool GnomonLengthAccepted(float length);           // 1..1000, any unit

// The whole-hour zone for a longitude (degrees, WEST positive), by 15-degree
// bands centred on multiples of 15; a longitude on a band edge belongs to the
// band to its east. Gives -11..12.
int ZoneForLongitude(float longitudeWest);

// What a dialog does with one press of its accept button.
enum class InputOutcome {
    Restore,  // empty or not a number: put the current values back, say nothing
    Warn,     // out of range: show `message`, then put the current values back
    Accept,   // store the values and run
};

// A typed number as the dialogs see it: nothing when the box is empty or its
// text is not a number in the user's locale.
using TypedNumber = std::optional<double>;

// The typed number as the single the site stores, or nothing when it is missing
// or does not fit a single (a huge number, "inf", "nan"): the checks below treat
// such text like any other text that is not a usable number.
std::optional<float> UsableSingle(TypedNumber typed);

struct LatLongVerdict {
    InputOutcome outcome = InputOutcome::Restore;
    const char* message = nullptr;  // set for Warn
    float latitude = 0;             // degrees north, for Accept
    float longitude = 0;            // degrees, WEST positive, for Accept
    int zone = 0;                   // whole hours for Timeset, for Accept
};

// The location dialog's checks, in order: both numbers present, latitude
// 15..70, longitude magnitude 0..180; then the signed longitude (negative for
// east) and its zone. A value that is not finite in single precision counts as
// not a number.
LatLongVerdict CheckLatLong(TypedNumber latitude, TypedNumber longitudeMagnitude, bool east);

struct BearingVerdict {
    InputOutcome outcome = InputOutcome::Restore;
    const char* message = nullptr;  // set for Warn
    std::string bearingText;        // shortest text of the single, "200" for 200.0, for Accept
};

BearingVerdict CheckBearing(TypedNumber bearing);

// Stores an accepted bearing and derives the declination and side from it.
void ApplyBearing(SiteState& site, const std::string& bearingText);

// The "##.##" number format: rounded to two decimals, no zero before the
// point, trailing zeros dropped, and the point always shown
// (0.25 -> ".25", 5 -> "5.", 20.1 -> "20.1", 5.774 -> "5.77").
std::string TwoDecimalFormat(double value);

// The line the gnomon dialog prints on opening:
// "   Forward angle is 37.8 degrees. " for a GnomonAngle of 37.86 (rounded down
// to tenths by FloorTenthsSingle).
std::string ForwardAngleLine(float gnomonAngleDeg);

struct GnomonSides {
    std::string hypotenuse;  // adjacent / cos(angle), rounded down to tenths, "##.##"
    std::string opposite;    // adjacent * tan(angle), rounded to hundredths, "##.##"
};

struct GnomonVerdict {
    InputOutcome outcome = InputOutcome::Restore;
    const char* message = nullptr;  // set for Warn
    GnomonSides sides;              // for Accept
};

// The gnomon dialog's "Calculate": a measured length 1..1000 along the side
// next to the angle `gnomonAngleDeg` (degrees) gives the other two sides.
GnomonVerdict CheckGnomonLength(TypedNumber adjacent, float gnomonAngleDeg);

}  // namespace sundial
