#include "core/site/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

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

namespace {

constexpr std::array<double, 10> kPow10d = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// PlacesText by one multiplication, for values whose scaled magnitude is
// below 2^52: `value` × 10^places is rounded once to the double y, within
// half a unit in its last place of the exact product. Unless a half-integer
// lies within a unit of y, the exact product rounds to the same integer as
// y. False, appending nothing, where that cannot be told.
bool AppendPlacesFast(std::string& out, double value, int places) {
    const double y = value * kPow10d[static_cast<std::size_t>(places)];
    if (!(std::fabs(y) < 0x1p52)) return false;
    const double below = std::floor(y);
    const double gap = std::fabs(y - below - 0.5);
    if (!(gap > std::fabs(y) * 0x1p-51)) return false;
    const double rounded = gap == 0.5 ? y : (y - below < 0.5 ? below : below + 1);
    std::uint64_t units = static_cast<std::uint64_t>(std::fabs(rounded));
    if (units == 0) {
        out += '0';
        return true;
    }
    if (rounded < 0) out += '-';
    // Digits from the last: the fraction without its trailing zeros, then
    // the whole part.
    std::array<char, 32> digits{};
    std::size_t at = digits.size();
    int fraction = places;
    while (fraction > 0 && units % 10 == 0) {
        units /= 10;
        --fraction;
    }
    for (; fraction > 0; --fraction) {
        digits[--at] = static_cast<char>('0' + units % 10);
        units /= 10;
    }
    if (at != digits.size()) digits[--at] = '.';
    do {
        digits[--at] = static_cast<char>('0' + units % 10);
        units /= 10;
    } while (units != 0);
    out.append(digits.data() + at, digits.size() - at);
    return true;
}

}  // namespace

void AppendPlacesText(std::string& out, double value, int places) {
    places = std::clamp(places, 0, 9);
    if (AppendPlacesFast(out, value, places)) return;
    // Room for the largest double in full.
    std::array<char, 400> buf{};
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, places);
    std::string s(buf.data(), ec == std::errc() ? end : buf.data());
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    out += s == "-0" ? "0" : s;
}

std::string PlacesText(double value, int places) {
    std::string text;
    AppendPlacesText(text, value, places);
    return text;
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

std::string FixedText(double value, int decimals) {
    // Room for the largest double in full.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "nan";
    return std::string(buffer, result.ptr);
}

}  // namespace sundial
