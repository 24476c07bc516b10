#include "core/site/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace sundial {

namespace {

std::string StripTrailingZeros(std::string text) {
    if (text.find('.') == std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

std::string DecimalText(double value, int significantDigits) {
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    // Round once, in scientific form ("d.ddddddde+XX"), then spell the same
    // digits out without the exponent: no second rounding can creep in.
    std::array<char, 64> buf{};
    const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                         std::chars_format::scientific, significantDigits - 1);
    const std::string sci(buf.data(), end);
    const size_t e = sci.find('e');
    const bool negative = sci.front() == '-';
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < e; ++i) {
        if (sci[i] != '.') digits += sci[i];
    }
    const int exponent = std::stoi(sci.substr(e + 1));
    std::string text;
    if (exponent >= 0) {
        const size_t intDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() < intDigits) digits.append(intDigits - digits.size(), '0');
        text = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    } else {
        text = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    text = StripTrailingZeros(text);
    if (text == "0") return text;
    return negative ? "-" + text : text;
}

std::string NumberText(float value) {
    return DecimalText(value, 7);
}

std::string PrintedNumber(float value) {
    std::string digits = NumberText(value);
    const bool negative = digits.front() == '-';
    std::string magnitude = negative ? digits.substr(1) : digits;
    if (magnitude.size() > 1 && magnitude[0] == '0' && magnitude[1] == '.') magnitude.erase(0, 1);
    return (negative ? "-" : " ") + magnitude + " ";
}

std::string RoundTripText(float value) {
    std::array<char, 64> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return std::string(buf.data(), end);
}

}  // namespace sundial
