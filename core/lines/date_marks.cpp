#include "core/lines/date_marks.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "core/engine/vec3.h"

namespace sundial::lines {

namespace {

// In order of ecliptic longitude from 0 degrees (the March equinox).
constexpr const char* kSigns[12] = {"Aries",       "Taurus",    "Gemini",   "Cancer",
                                    "Leo",         "Virgo",     "Libra",    "Scorpio",
                                    "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Reads exactly two digits.
std::optional<int> TwoDigits(std::string_view text) {
    int v = 0;
    if (text.size() != 2 || !std::isdigit(static_cast<unsigned char>(text[0])) ||
        !std::isdigit(static_cast<unsigned char>(text[1]))) {
        return std::nullopt;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + 2, v);
    if (ec != std::errc() || end != text.data() + 2) return std::nullopt;
    return v;
}

}  // namespace

std::vector<DateMark> SignLines(double obliquityDeg) {
    // Longitudes 90 - 30k for k = 0..6 run from the June solstice down to
    // the December one; the sign entered on the way up shares each line with
    // the one entered on the way down (longitude 180 - L).
    std::vector<DateMark> marks;
    for (int k = 0; k <= 6; ++k) {
        const int up = (90 - 30 * k + 360) % 360;
        const int down = (180 - up + 360) % 360;
        const auto [first, second] = std::minmax(up, down);
        std::string label = kSigns[first / 30];
        if (second != first) label += std::string(", ") + kSigns[second / 30];
        const double dec =
            engine::Deg(std::asin(std::sin(engine::Rad(obliquityDeg)) * std::sin(engine::Rad(up))));
        marks.push_back({dec, std::move(label), std::nullopt});
    }
    return marks;
}

std::optional<MonthDay> ParseMonthDay(std::string_view text) {
    if (text.size() != 5 || text[2] != '-') return std::nullopt;
    const auto month = TwoDigits(text.substr(0, 2));
    const auto day = TwoDigits(text.substr(3, 2));
    if (!month || !day) return std::nullopt;
    return MonthDay{*month, *day};
}

std::string DateLabel(MonthDay date) {
    return std::to_string(date.day) + " " + kMonths[(date.month - 1) % 12];
}

std::optional<DateMark> ChosenDateLine(const SunYear& sun, MonthDay date, double zoneHours) {
    const auto day = DayOfYear(sun.year(), date);
    if (!day) return std::nullopt;
    return DateMark{sun.AtClock(*day, 12, zoneHours).declinationDeg, DateLabel(date), date};
}

}  // namespace sundial::lines
