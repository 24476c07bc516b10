// How numbers and strings are spelled inside a PDF file.
#pragma once

#include <cstdint>
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
// The same text appended to `out`.
void AppendNumber(std::string& out, float value, int places);

// FormatNumber spelled out on decimal digit strings, for every value and any
// count of places. AppendNumber takes an integer shortcut for the magnitudes a
// page uses (2^-10 to 2^23) and this path for the rest; the tests hold the two
// to the same bytes.
std::string FormatNumberByDigits(float value, int places);

// Plain decimal, for object numbers, counts, offsets and lengths.
void AppendInteger(std::string& out, std::int64_t value);

// A text for PDF string parentheses: "\" doubled, then "(" and ")" escaped.
std::string EscapeText(std::string_view text);
void AppendEscapedText(std::string& out, std::string_view text);

}  // namespace sundial::pdf
