#include "core/pdf/pdf_syntax.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace sundial::pdf {

namespace {

constexpr std::array<std::uint64_t, 20> kPow10 = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// "00" to "99", for writing digits two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> d{};
    for (std::size_t i = 0; i < 100; ++i) {
        d[2 * i] = static_cast<char>('0' + i / 10);
        d[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return d;
}();

void AppendUnsigned(std::string& out, std::uint64_t value) {
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// AppendNumber for a normal single from 2^-10 up to (not including) 2^23, in
// exact integer arithmetic. False, appending nothing, for any other value.
//
// The value is m / 2^k with m a 24-bit integer and 1 <= k <= 33. Its seven
// significant digits are N = m × 10^P / 2^k rounded half to even, with
// P = 6 - E and E the value's decimal exponent (10^E <= value < 10^(E+1)):
// the value reads N × 10^(E-6). Rounding that to `places` decimals gives R
// units of 10^-places. Every product below stays under 2^63.
bool AppendNumberFast(std::string& out, float value, int places) {
    if (places < 0 || places > 9) return false;
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const int exponent = static_cast<int>((bits >> 23) & 0xFF) - 150;  // of m, not of the value
    if (exponent < -33 || exponent > -1) return false;
    const auto k = static_cast<unsigned>(-exponent);
    const std::uint64_t m = (bits & 0x7FFFFF) | 0x800000;

    // E is floor(log10 of the value): for a value in [2^p, 2^(p+1)) it is
    // floor(p log10 2) or one more. 2^-10 > 10^-4 and 2^23 < 10^7: E is -4..6.
    const auto atLeastPow10 = [&](int e) {
        return e >= 0 ? m >= (kPow10[static_cast<std::size_t>(e)] << k)
                      : m * kPow10[static_cast<std::size_t>(-e)] >= (1ULL << k);
    };
    const int p = exponent + 23;
    // 1233 / 4096 is log10 2 to within 2e-5: exact floors for |p| below 100.
    int E = (p >= 0 ? p * 1233 : p * 1233 - 4095) / 4096;
    if (E < 6 && atLeastPow10(E + 1)) ++E;
    const std::uint64_t scaled = m * kPow10[static_cast<std::size_t>(6 - E)];
    std::uint64_t significant = scaled >> k;
    const std::uint64_t rest = scaled & ((1ULL << k) - 1);
    const std::uint64_t half = 1ULL << (k - 1);
    if (rest > half || (rest == half && significant % 2 == 1)) ++significant;

    const int shift = E - 6 + places;
    std::uint64_t units = 0;
    if (shift >= 0) {
        units = significant * kPow10[static_cast<std::size_t>(shift)];
    } else if (shift >= -9) {
        // Seven digits and a divisor below 2^32: one 32-bit division.
        const auto divisor = static_cast<std::uint32_t>(kPow10[static_cast<std::size_t>(-shift)]);
        const auto n = static_cast<std::uint32_t>(significant);
        const std::uint32_t quotient = n / divisor;
        const std::uint32_t twiceRest = n % divisor * 2;
        const bool up = twiceRest > divisor || (twiceRest == divisor && quotient % 2 == 1);
        units = quotient + (up ? 1 : 0);
    }  // further down, under half a unit: 0
    if (units == 0) {
        out += '0';
        return true;
    }
    // The fraction's trailing zeros go first. Then the digits from the right,
    // two at a time, at least one before the point; the whole part then
    // moves one place left for the point.
    int fraction = places;
    while (fraction > 0 && units % 10 == 0) {
        units /= 10;
        --fraction;
    }
    char text[32];
    char* const end = text + sizeof text;
    char* first = end;
    while (units >= 100) {
        first -= 2;
        std::memcpy(first, &kDigitPairs[2 * (units % 100)], 2);
        units /= 100;
    }
    if (units >= 10) {
        first -= 2;
        std::memcpy(first, &kDigitPairs[2 * units], 2);
    } else {
        *--first = static_cast<char>('0' + units);
    }
    while (end - first < fraction + 1) *--first = '0';
    if (fraction > 0) {
        char* const point = end - fraction;
        for (char* c = first; c < point; ++c) c[-1] = c[0];
        --first;
        point[-1] = '.';
    }
    if ((bits >> 31) != 0) *--first = '-';
    out.append(first, static_cast<std::size_t>(end - first));
    return true;
}

}  // namespace

std::string FormatNumberByDigits(float value, int places) {
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

void AppendNumber(std::string& out, float value, int places) {
    if (value == 0) {
        out += '0';
    } else if (!AppendNumberFast(out, value, places)) {
        out += FormatNumberByDigits(value, places);
    }
}

std::string FormatNumber(float value, int places) {
    std::string text;
    AppendNumber(text, value, places);
    return text;
}

void AppendInteger(std::string& out, std::int64_t value) {
    if (value < 0) {
        out += '-';
        AppendUnsigned(out, 0 - static_cast<std::uint64_t>(value));
    } else {
        AppendUnsigned(out, static_cast<std::uint64_t>(value));
    }
}

void AppendEscapedText(std::string& out, std::string_view text) {
    const auto special = [](char c) { return c == '\\' || c == '(' || c == ')'; };
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!special(text[i])) continue;
        out.append(text.data() + start, i - start);
        out += '\\';
        start = i;  // the character itself goes with the next run
    }
    out.append(text.data() + start, text.size() - start);
}

std::string EscapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscapedText(out, text);
    return out;
}

}  // namespace sundial::pdf
