// What the input dialogs accept, the messages they give, and the rules they
// apply, without any window: ranges are inclusive.
#pragma once

#include <string>

namespace sundial {

// Message box texts, exactly as the dialogs show them (spelling and trailing
// blanks included).
inline constexpr const char* kLatitudeMessage =
    "Latidude outside the calculation range of 15 to 70 degrees.  ";
inline constexpr const char* kLongitudeMessage = "Set Longitude to between 0 to 180 degrees.  ";
inline constexpr const char* kBearingMessage =
    "Bearing value outside the calculation range of 110 to 250 degrees. ";
inline constexpr const char* kGnomonLengthMessage = "please enter a range between 1 and 1000.  ";

bool LatitudeAccepted(float latitude);            // 15..70 degrees north
bool LongitudeMagnitudeAccepted(float magnitude);  // 0..180; the side is chosen apart
bool BearingAccepted(float bearing);              // 110..250 degrees
bool GnomonLengthAccepted(float length);          // 1..1000, any unit

// The whole-hour zone for a longitude (degrees, WEST positive), by 15-degree
// bands centred on multiples of 15; a longitude on a band edge belongs to the
// band to its east. Gives -11..12.
int ZoneForLongitude(float longitudeWest);

}  // namespace sundial
