#include "cli/output_text.h"

#include <charconv>
#include <cmath>

#include "core/io/clean_text.h"

namespace sundial {

namespace {

// Whole numbers as integers; others as the fewest digits that read back to the
// same double, in %g's layout ("0.0001", "1e-05"). The JSON library's own
// writer sometimes gives a digit or two more than needed (51.402392999999996
// for 51.402393).
std::string NumberText(double value) {
    if (!std::isfinite(value)) return "null";
    const nlohmann::json number = JsonNumber(value);
    if (!number.is_number_float()) return number.dump();
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
    return std::string(buffer, result.ptr);
}

// A JSON string of well-formed UTF-8 without control characters but line
// breaks, which it escapes.
std::string StringText(const std::string& value) {
    return nlohmann::json(io::CleanText(value, true).text).dump();
}

void Write(const nlohmann::json& json, int level, std::string& text) {
    const std::string indent(static_cast<std::size_t>(level) * 4, ' ');
    const std::string inner = indent + "    ";
    if (json.is_object()) {
        text += "{\n";
        bool first = true;
        for (const auto& [key, value] : json.items()) {
            if (!first) text += ",\n";
            first = false;
            text += inner + StringText(key) + ": ";
            Write(value, level + 1, text);
        }
        text += (first ? "" : "\n") + indent + "}";
    } else if (json.is_array()) {
        text += "[\n";
        bool first = true;
        for (const auto& value : json) {
            if (!first) text += ",\n";
            first = false;
            text += inner;
            Write(value, level + 1, text);
        }
        text += (first ? "" : "\n") + indent + "]";
    } else if (json.is_string()) {
        text += StringText(json.get_ref<const std::string&>());
    } else if (json.is_number_float()) {
        text += NumberText(json.get<double>());
    } else {
        text += json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
}

}  // namespace

nlohmann::json JsonNumber(double value) {
    constexpr double kLargestExactInteger = 9007199254740992.0;  // 2^53
    if (std::isfinite(value) && std::trunc(value) == value &&
        std::fabs(value) <= kLargestExactInteger) {
        return static_cast<std::int64_t>(value);
    }
    return value;
}

std::string JsonText(const nlohmann::json& json) {
    std::string text;
    Write(json, 0, text);
    return text + '\n';
}

}  // namespace sundial
