// UTF-8 text from outside (a sites file) checked and made safe to show.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sundial {

// The length in bytes of the well-formed UTF-8 character at `at` (1 to 4),
// with its code point in `code`; 0 when the bytes there are malformed
// (overlong, a surrogate, past U+10FFFF, cut short).
std::size_t Utf8CharAt(std::string_view text, std::size_t at, char32_t& code);

// A control character: C0, DEL or C1.
bool IsControl(char32_t code);

// Well-formed UTF-8 without control characters: fit for one line of a report,
// a sheet or a terminal.
bool PrintableText(std::string_view text);

// `text` with each control character and each malformed byte shown as "?",
// so that a message quoting it cannot move a terminal's cursor or break a line.
std::string ShownText(std::string_view text);

}  // namespace sundial
