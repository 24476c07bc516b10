// UTF-8 text from outside (a sites file) checked and made safe to show.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/io/clean_text.h"

namespace sundial {

using io::IsControl;
using io::Utf8CharAt;

// Well-formed UTF-8 without control characters: fit for one line of a report,
// a sheet or a terminal.
bool PrintableText(std::string_view text);

// `text` with each control character and each malformed byte shown as "?",
// so that a message quoting it cannot move a terminal's cursor or break a line.
std::string ShownText(std::string_view text);

// ShownText cut to at most `maxChars` characters, "..." marking a cut: text
// from outside quoted in a message or a progress line.
inline constexpr std::size_t kShortTextChars = 60;
std::string ShortText(std::string_view text, std::size_t maxChars = kShortTextChars);

}  // namespace sundial
