// How sundial-cli writes numbers and JSON: the same bytes whatever the user's
// locale, and JSON laid out as it always has been (keys sorted, four spaces a
// level, whole numbers without a fraction, empty lists opened and closed on
// lines of their own).
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/site/number_text.h"  // FixedText

namespace sundial {

// A JSON number: whole values up to 2^53 as integers, others as the shortest
// text that reads back to the same double.
nlohmann::json JsonNumber(double value);

// The document, indented, ending in a newline. Text that is not UTF-8 (a
// place name from an old settings file, say) is written with U+FFFD in place
// of the bytes that are not, and without control characters.
std::string JsonText(const nlohmann::json& json);

}  // namespace sundial
