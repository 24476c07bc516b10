#include "core/sun/clock_zone.h"

#include <date/tz.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace sundial {

namespace {

// The database's zone, or nothing when it has none by that name.
const date::time_zone* Lookup(const std::string& name) {
    try {
        return date::locate_zone(name);
    } catch (const std::exception&) {
        return nullptr;
    }
}

// Whole seconds are as fine as the database's rules go; the fraction of a
// reading's second does not move it across a change.
std::chrono::seconds TimeOfDay(const ClockTime& c) {
    return std::chrono::hours{c.hour} + std::chrono::minutes{c.minute} +
           std::chrono::seconds{static_cast<long long>(std::floor(c.second))};
}

date::year_month_day Day(const ClockTime& c) {
    return {date::year{c.year}, date::month{static_cast<unsigned>(c.month)},
            date::day{static_cast<unsigned>(c.day)}};
}

date::local_seconds LocalSeconds(const ClockTime& c) {
    return date::local_days{Day(c)} + TimeOfDay(c);
}

date::sys_seconds SysSeconds(const ClockTime& c) {
    return date::sys_days{Day(c)} + TimeOfDay(c);
}

double Hours(std::chrono::seconds offset) {
    return static_cast<double>(offset.count()) / 3600.0;
}

std::string UnknownZone(const std::string& name) {
    return "there is no time zone called \"" + name +
           "\"; zones are named by area and city, like Europe/London or America/St_Johns.";
}

// The database's zone for a named zone. Nothing for a fixed offset (then
// `result` holds it) or an unknown name (then `result` says so).
const date::time_zone* ZoneRules(const ClockZone& zone, ZoneOffset& result) {
    if (zone.name.empty()) {
        result.hours = zone.fixedOffsetHours;
        return nullptr;
    }
    const date::time_zone* tz = Lookup(zone.name);
    if (!tz) result.error = UnknownZone(zone.name);
    return tz;
}

}  // namespace

ClockZone NamedZone(std::string name) {
    return {std::move(name), 0};
}

ClockZone FixedZone(double offsetHours) {
    return {{}, offsetHours};
}

std::string CheckZoneName(std::string_view name) {
    const std::string text(name);
    return Lookup(text) ? std::string() : UnknownZone(text);
}

ZoneOffset OffsetAtClock(const ClockZone& zone, const ClockTime& clock) {
    ZoneOffset result;
    const date::time_zone* tz = ZoneRules(zone, result);
    if (!tz) return result;
    const date::local_info info = tz->get_info(LocalSeconds(clock));
    const std::string when = ClockTimeText(clock);
    switch (info.result) {
        case date::local_info::unique:
            result.hours = Hours(info.first.offset);
            result.abbreviation = info.first.abbrev;
            break;
        case date::local_info::nonexistent:
            result.error = "the clocks in " + zone.name + " never showed " + when +
                           ": they went forward then from " + OffsetText(Hours(info.first.offset)) +
                           " to " + OffsetText(Hours(info.second.offset)) + ".";
            break;
        case date::local_info::ambiguous:
            result.twice = {Hours(info.first.offset), Hours(info.second.offset)};
            result.error =
                ShownTwiceText(zone.name, clock, result.twice->first, result.twice->second);
            break;
    }
    return result;
}

std::string ShownTwiceText(const std::string& zoneName, const ClockTime& clock, double first,
                           double second, const std::string& typedBefore) {
    const std::string when = ClockTimeText(clock);
    return "the clocks in " + zoneName + " showed " + when + " twice, at " + OffsetText(first) +
           " and, after they went back, at " + OffsetText(second) +
           "; give the offset to say which: " + typedBefore + when + IsoOffsetText(first) +
           " for the first, " + typedBefore + when + IsoOffsetText(second) + " for the second.";
}

ZoneOffset OffsetAtClock(const ClockZone& zone, const ClockTime& clock, double given) {
    ZoneOffset result;
    const date::time_zone* tz = ZoneRules(zone, result);
    // Offsets are whole minutes; a minute's difference is a different offset.
    const auto same = [given](double hours) { return std::fabs(hours - given) < 0.5 / 60.0; };
    const std::string asked = ClockTimeText(clock) + IsoOffsetText(given);
    if (!tz) {
        if (!result.hours || same(*result.hours)) return result;
        result.error = asked + " is not on the clock given, " + OffsetText(*result.hours) +
                       "; give the one or the other.";
        result.hours.reset();
        return result;
    }
    const date::local_info info = tz->get_info(LocalSeconds(clock));
    if (info.result == date::local_info::nonexistent) return OffsetAtClock(zone, clock);
    const bool twice = info.result == date::local_info::ambiguous;
    for (const date::sys_info* kept : {&info.first, &info.second}) {
        if (kept == &info.second && !twice) break;
        if (same(Hours(kept->offset))) {
            result.hours = Hours(kept->offset);
            result.abbreviation = kept->abbrev;
            return result;
        }
    }
    result.error = asked + " is not a time of " + zone.name + ": its clocks kept " +
                   OffsetText(Hours(info.first.offset)) +
                   (twice ? " and then " + OffsetText(Hours(info.second.offset)) : "") +
                   " then, not " + OffsetText(given) + ".";
    return result;
}

ZoneOffset OffsetAtUtc(const ClockZone& zone, const ClockTime& utc) {
    ZoneOffset result;
    const date::time_zone* tz = ZoneRules(zone, result);
    if (!tz) return result;
    const date::sys_info info = tz->get_info(SysSeconds(utc));
    result.hours = Hours(info.offset);
    result.abbreviation = info.abbrev;
    return result;
}

std::vector<double> OffsetsInUse(const ClockTime& utc) {
    std::vector<double> offsets;
    const date::sys_seconds start = date::sys_days{date::year{utc.year} / 1 / 1};
    for (const date::time_zone& zone : date::get_tzdb().zones) {
        // Each half of the year holds one season's offset, north or south.
        for (const auto at : {start, start + date::days{182}}) {
            const double hours = Hours(zone.get_info(at).offset);
            if (hours >= -12 && hours <= 14) offsets.push_back(hours);
        }
    }
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    return offsets;
}

std::string OffsetText(double hours) {
    const long minutes = std::lround(std::fabs(hours) * 60.0);
    char text[32];
    if (minutes % 60 == 0) {
        std::snprintf(text, sizeof text, "UTC%c%ld", hours < 0 ? '-' : '+', minutes / 60);
    } else {
        std::snprintf(text, sizeof text, "UTC%c%ld:%02ld", hours < 0 ? '-' : '+', minutes / 60,
                      minutes % 60);
    }
    return text;
}

std::string ZoneName(const ClockZone& zone) {
    return zone.name.empty() ? OffsetText(zone.fixedOffsetHours) : zone.name;
}

std::string ZoneEcho(const ClockZone& zone, double offsetHours, const ClockTime& clock) {
    if (zone.name.empty()) {
        return OffsetText(offsetHours) + " (a fixed offset, no summer time)";
    }
    char day[16];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", clock.year, clock.month, clock.day);
    return zone.name + ", " + OffsetText(offsetHours) + " on " + day;
}

}  // namespace sundial
