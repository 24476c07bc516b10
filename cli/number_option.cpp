#include "cli/number_option.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "cli/cli_command.h"
#include "core/rules/input_rules.h"

namespace sundial {

std::optional<double> ReadNumber(std::string_view text) {
    // As a number field reads: spaces around it and a leading plus are allowed.
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    // from_chars never consults the locale, whatever the process has set.
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

double ParseNumberOption(const std::string& text, const std::string& option) {
    const std::optional<double> value = ReadNumber(text);
    if (!value || !std::isfinite(*value)) {
        throw BadInput{"--" + option + ": \"" + text + "\" is not a number."};
    }
    // The dialogs treat a number no single can hold like text that is none.
    if (!UsableSingle(*value)) {
        throw BadInput{"--" + option + ": \"" + text + "\" is too large."};
    }
    return *value;
}

}  // namespace sundial
