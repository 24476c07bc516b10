// Locale-independent number to text. Every number the program writes into a
// file, a report or a PDF goes through here (std::to_chars: always a full stop).
#pragma once

#include <string>

namespace sundial {

// The shortest plain decimal text of `value` rounded to `significantDigits`
// significant digits: no exponent, no trailing zeros, no trailing point, a zero
// before the point for magnitudes below 1, "-" for negatives. "-0" is "0".
std::string DecimalText(double value, int significantDigits);

// `value` with exactly `decimals` decimals: FixedText(51.5, 2) is "51.50".
std::string FixedText(double value, int decimals);

// `value` rounded to `places` decimals (0 to 9), its trailing zeros and a
// bare point dropped: 12.3404 -> "12.34" at 3 places, -0.0004 -> "0".
// Ties go by the exact binary value, as std::to_chars rounds.
std::string PlacesText(double value, int places);
// The same text put at the end of `out`.
void AppendPlacesText(std::string& out, double value, int places);

// A number joined into text: single precision, at most 7 significant digits.
// 72.71 -> "72.71", -0.07 -> "-0.07", 7 -> "7".
std::string NumberText(float value);

// A number printed as an item of its own: the same digits without the zero
// before the point, a leading blank for values that are not negative (a minus
// sign takes its place otherwise) and a trailing blank.
// 51.5 -> " 51.5 ", 0.12 -> " .12 ", -2.35 -> "-2.35 ".
std::string PrintedNumber(float value);

// The shortest text that reads back to the same single (for machine output).
std::string RoundTripText(float value);

}  // namespace sundial
