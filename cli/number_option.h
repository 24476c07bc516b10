// Numbers typed on the command line, read in the C form ("51.5") whatever
// the user's locale: a script means the same in every language.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sundial {

// The number `text` writes in the C form, with spaces around it and a leading
// plus allowed. Nothing when it is no number ("51,5", "0x10", "12abc") or one
// too large for a double.
std::optional<double> ReadNumber(std::string_view text);

// A number option's value. Throws BadInput naming `option` for text that is
// not a finite number or is too large to store as a single.
double ParseNumberOption(const std::string& text, const std::string& option);

}  // namespace sundial
