#include "core/sun/clock_time.h"

#include <erfa.h>
#include <erfam.h>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace sundial {

namespace {

// Reads exactly `digits` decimal digits at `pos`, advancing it.
bool ReadDigits(std::string_view text, size_t& pos, size_t digits, int& value) {
    if (pos + digits > text.size()) return false;
    const char* first = text.data() + pos;
    const char* last = first + digits;
    for (const char* c = first; c != last; ++c) {
        if (*c < '0' || *c > '9') return false;
    }
    std::from_chars(first, last, value);
    pos += digits;
    return true;
}

bool Expect(std::string_view text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

// The Modified Julian Date of a calendar day at 0h, or nothing when there is
// no such day in the Gregorian calendar.
std::optional<long> ModifiedJulianDay(int year, int month, int day) {
    double mjd0 = 0;
    double mjd = 0;
    if (eraCal2jd(year, month, day, &mjd0, &mjd) != 0) return std::nullopt;
    return std::lround(mjd);
}

}  // namespace

std::optional<ClockTime> ParseClockTime(std::string_view text) {
    ClockTime c;
    size_t pos = 0;
    if (!ReadDigits(text, pos, 4, c.year) || !Expect(text, pos, '-') ||
        !ReadDigits(text, pos, 2, c.month) || !Expect(text, pos, '-') ||
        !ReadDigits(text, pos, 2, c.day)) {
        return std::nullopt;
    }
    if (pos >= text.size() || (text[pos] != 'T' && text[pos] != ' ')) return std::nullopt;
    ++pos;
    if (!ReadDigits(text, pos, 2, c.hour) || !Expect(text, pos, ':') ||
        !ReadDigits(text, pos, 2, c.minute)) {
        return std::nullopt;
    }
    if (pos == text.size()) return c;
    int whole = 0;
    if (!Expect(text, pos, ':') || !ReadDigits(text, pos, 2, whole)) return std::nullopt;
    c.second = whole;
    if (pos == text.size()) return c;
    if (!Expect(text, pos, '.') || pos == text.size()) return std::nullopt;
    // The fraction is digits only: from_chars alone would also take an exponent.
    for (size_t i = pos; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    }
    const std::string fraction = "0." + std::string(text.substr(pos));
    double part = 0;
    std::from_chars(fraction.data(), fraction.data() + fraction.size(), part);
    c.second += part;
    return c;
}

std::optional<StampedClock> ParseStampedClock(std::string_view text) {
    StampedClock stamped;
    if (!text.empty() && text.back() == 'Z') {
        stamped.offsetHours = 0.0;
        text.remove_suffix(1);
    } else if (const size_t sign = text.find_last_of("+-");
               sign != std::string_view::npos && sign > 10) {
        // The date's own dashes come before the "T"; a sign after it starts the offset.
        std::string_view zone = text.substr(sign + 1);
        size_t pos = 0;
        int hours = 0, minutes = 0;
        if (!ReadDigits(zone, pos, 2, hours)) return std::nullopt;
        if (pos < zone.size() && zone[pos] == ':') ++pos;
        if (pos < zone.size() && !ReadDigits(zone, pos, 2, minutes)) return std::nullopt;
        if (pos != zone.size() || hours > 24 || minutes > 59) return std::nullopt;
        const double magnitude = hours + minutes / 60.0;
        stamped.offsetHours = text[sign] == '-' ? -magnitude : magnitude;
        text = text.substr(0, sign);
    }
    const std::optional<ClockTime> clock = ParseClockTime(text);
    if (!clock) return std::nullopt;
    stamped.clock = *clock;
    return stamped;
}

std::string IsoOffsetText(double hours) {
    const long minutes = std::lround(std::fabs(hours) * 60.0);
    char text[48];  // room for any long, as the compiler counts
    std::snprintf(text, sizeof text, "%c%02ld:%02ld", hours < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return text;
}

std::string ClockTimeText(const ClockTime& c) {
    char buffer[48];
    const double whole = std::floor(c.second);
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day,
                  c.hour, c.minute, static_cast<int>(whole));
    std::string text = buffer;
    if (c.second != whole) {
        // Milliseconds are as fine as a clock reading gets.
        char fraction[16];
        const auto [end, ec] = std::to_chars(fraction, fraction + sizeof fraction, c.second - whole,
                                             std::chars_format::fixed, 3);
        std::string digits(fraction + 1, end);  // ".250"
        while (digits.back() == '0') digits.pop_back();
        if (ec == std::errc() && digits != ".") text += digits;
    }
    return text;
}

std::string CheckClockTime(const ClockTime& c) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", c.year, c.month, c.day);
    if (!ModifiedJulianDay(c.year, c.month, c.day)) {
        return std::string("there is no date ") + date + ".";
    }
    if (c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || !(c.second >= 0) ||
        !(c.second < 60)) {
        char time[32];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", c.hour, c.minute,
                      std::isfinite(c.second) ? static_cast<int>(c.second) : 0);
        return std::string("there is no time of day ") + time + ".";
    }
    return {};
}

ClockTime ClockTimeOf(std::chrono::system_clock::time_point instant) {
    using namespace std::chrono;
    const auto ms = time_point_cast<milliseconds>(instant);
    const sys_days day = floor<days>(ms);
    const year_month_day date(day);
    const hh_mm_ss<milliseconds> time(ms - day);
    ClockTime c;
    c.year = static_cast<int>(date.year());
    c.month = static_cast<int>(static_cast<unsigned>(date.month()));
    c.day = static_cast<int>(static_cast<unsigned>(date.day()));
    c.hour = static_cast<int>(time.hours().count());
    c.minute = static_cast<int>(time.minutes().count());
    c.second = static_cast<double>(time.seconds().count()) +
               static_cast<double>(time.subseconds().count()) / 1000.0;
    return c;
}

ClockTime ShiftClock(const ClockTime& c, double hours) {
    // Whole milliseconds, so that shifting by whole hours leaves the seconds
    // exactly as they were.
    const long long dayMs = 86'400'000;
    long long ms = std::llround(((c.hour * 60.0 + c.minute) * 60.0 + c.second) * 1000.0) +
                   std::llround(hours * 3'600'000.0);
    long day = ModifiedJulianDay(c.year, c.month, c.day).value_or(0);
    long long days = ms / dayMs;
    ms %= dayMs;
    if (ms < 0) {
        ms += dayMs;
        --days;
    }
    day += static_cast<long>(days);
    ClockTime out;
    double fraction = 0;
    eraJd2cal(ERFA_DJM0, static_cast<double>(day), &out.year, &out.month, &out.day, &fraction);
    out.hour = static_cast<int>(ms / 3'600'000);
    out.minute = static_cast<int>(ms / 60'000 % 60);
    out.second = static_cast<double>(ms % 60'000) / 1000.0;
    return out;
}

}  // namespace sundial
