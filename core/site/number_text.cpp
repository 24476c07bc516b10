#include "core/site/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace sundial {

std::string DecimalText(double value, int significantDigits) {
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    // Round once, in scientific form ("d.ddddddde+XX"), then spell the same
    // digits out without the exponent: no second rounding can creep in. Every
    // run formats dozens of these, so the work stays in fixed buffers.
    std::array<char, 64> sci{};
    const auto [end, ec] = std::to_chars(sci.data(), sci.data() + sci.size(), value,
                                         std::chars_format::scientific, significantDigits - 1);
    const char* p = sci.data();
    const bool negative = *p == '-';
    if (negative) ++p;
    const char* e = std::find(p, static_cast<const char*>(end), 'e');
    std::array<char, 64> digits{};
    size_t count = 0;
    for (; p < e; ++p) {
        if (*p != '.') digits[count++] = *p;
    }
    int exponent = 0;
    const char* exponentText = e + 1;
    if (*exponentText == '+') ++exponentText;
    std::from_chars(exponentText, end, exponent);

    // At most 17 significant digits and an exponent of a few hundred.
    std::array<char, 400> text{};
    size_t length = 0;
    if (negative) text[length++] = '-';
    const size_t whole = length;
    if (exponent >= 0) {
        const size_t intDigits = static_cast<size_t>(exponent) + 1;
        for (size_t i = 0; i < intDigits; ++i) text[length++] = i < count ? digits[i] : '0';
        text[length++] = '.';
        for (size_t i = intDigits; i < count; ++i) text[length++] = digits[i];
    } else {
        text[length++] = '0';
        text[length++] = '.';
        for (int i = 0; i < -exponent - 1; ++i) text[length++] = '0';
        for (size_t i = 0; i < count; ++i) text[length++] = digits[i];
    }
    // No trailing zeros after the point, and no point without digits after it.
    while (text[length - 1] == '0') --length;
    if (text[length - 1] == '.') --length;
    // Zero has no sign.
    if (length - whole == 1 && text[whole] == '0') return "0";
    return std::string(text.data(), length);
}

std::string PlacesText(double value, int places) {
    places = std::clamp(places, 0, 9);
    static constexpr double kScale[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    // A drawing writes tens of thousands of these. Below 1e9 units the scaled
    // value is within 2e-7 of the exact one, so where its fraction is clear of
    // a half the rounding is settled by it; the rest go the long way.
    const double scaled = value * kScale[places];
    const double floor = std::floor(scaled);
    const double fraction = scaled - floor;
    if (!(std::fabs(scaled) < 1e9) || std::fabs(fraction - 0.5) < 1e-6) {
        std::array<char, 400> buf{};
        const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                             std::chars_format::fixed, places);
        std::string s(buf.data(), ec == std::errc() ? end : buf.data());
        if (s.find('.') != std::string::npos) {
            while (s.back() == '0') s.pop_back();
            if (s.back() == '.') s.pop_back();
        }
        return s == "-0" ? "0" : s;
    }
    const auto units = static_cast<long long>(fraction < 0.5 ? floor : floor + 1);
    if (units == 0) return "0";
    unsigned long long magnitude = units < 0 ? 0ULL - static_cast<unsigned long long>(units)
                                             : static_cast<unsigned long long>(units);
    std::array<char, 32> text{};
    char* const end = text.data() + text.size();
    char* first = end;
    bool fractionShown = false;
    for (int place = 0; place < places; ++place, magnitude /= 10) {
        const auto digit = static_cast<char>('0' + magnitude % 10);
        if (fractionShown || digit != '0') *--first = digit, fractionShown = true;
    }
    if (fractionShown) *--first = '.';
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (units < 0) *--first = '-';
    return std::string(first, end);
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
