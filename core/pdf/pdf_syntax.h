// How numbers and strings are spelled inside a PDF file.
#pragma once

#include <string>
#include <string_view>

namespace sundial::pdf {

// `value` rounded to `places` decimal places and written in its shortest plain
// form: no exponent, no trailing zeros or point, "0" before the point below 1,
// "-" for negatives, never "-0", and always a full stop whatever the locale.
// The single-precision value is first taken to its 7 significant decimal
// digits, the precision a single carries; those digits are then rounded, halves
// to even (so 0.0005 gives 0 and 0.0015 gives 0.002 at 3 places).
// `value` must be finite; the writer checks before calling.
std::string FormatNumber(float value, int places);

// A text for PDF string parentheses: "\" doubled, then "(" and ")" escaped.
std::string EscapeText(std::string_view text);

}  // namespace sundial::pdf
