#include "core/pdf/pdf_syntax.h"

#include <array>
#include <charconv>
#include <cmath>

namespace sundial::pdf {

std::string FormatNumber(float value, int places) {
    if (!std::isfinite(value)) return "0";
    // Seven significant digits, in the form "d.dddddde+XX".
    std::array<char, 32> buf{};
    const auto result =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 6);
    const std::string_view sci(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    const bool negative = sci.front() == '-';
    const std::size_t e = sci.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (sci[i] != '.') digits += sci[i];
    }
    int exponent = 0;
    std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                    exponent);

    // The value is 0.d1d2...d7 x 10^(exponent + 1). Pad with zeros so that the
    // digits start at the units or a higher place and reach the last kept place.
    int pointAt = exponent + 1;  // digits before the decimal point
    if (pointAt < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - pointAt), '0');
        pointAt = 1;
    }
    const auto keep = static_cast<std::size_t>(pointAt + places);
    if (digits.size() < keep + 1) digits.append(keep + 1 - digits.size(), '0');

    // Round at `keep` digits, halves to even.
    const std::string_view dropped(digits.data() + keep, digits.size() - keep);
    const bool aboveHalf = dropped[0] > '5' ||
                           (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != dropped.npos);
    const bool exactHalf = dropped[0] == '5' && !aboveHalf;
    std::string kept = digits.substr(0, keep);
    const bool lastOdd = (kept.back() - '0') % 2 == 1;
    if (aboveHalf || (exactHalf && lastOdd)) {
        std::size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
        if (i == 0) {
            kept.insert(0, 1, '1');
            ++pointAt;
        } else {
            ++kept[i - 1];
        }
    }

    std::string integer = kept.substr(0, static_cast<std::size_t>(pointAt));
    std::string fraction = kept.substr(static_cast<std::size_t>(pointAt));
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string text = fraction.empty() ? integer : integer + "." + fraction;
    if (text == "0") return text;
    return negative ? "-" + text : text;
}

std::string EscapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == '(' || c == ')') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace sundial::pdf
