#include "core/sun/zone_year.h"

#include <date/tz.h>

#include <algorithm>
#include <chrono>
#include <map>

#include "core/sun/clock_zone.h"
#include "core/sun/sun_year.h"

namespace sundial {

namespace {

double Hours(std::chrono::seconds offset) {
    return static_cast<double>(offset.count()) / 3600.0;
}

}  // namespace

ZoneYearRead ZoneInYear(const std::string& name, int year) {
    if (std::string wrong = CheckZoneName(name); !wrong.empty()) return {std::nullopt, wrong};
    if (year < kFirstCurveYear || year > kLastCurveYear) {
        return {std::nullopt, "a zone's clocks are read for the years " +
                                  std::to_string(kFirstCurveYear) + " to " +
                                  std::to_string(kLastCurveYear) + "."};
    }
    const date::time_zone* tz = date::locate_zone(name);
    const date::sys_seconds start = date::sys_days{date::year{year} / 1 / 1};
    const date::sys_seconds end = date::sys_days{date::year{year + 1} / 1 / 1};
    // Seconds of the year each offset was kept, and whether any part of the
    // year was the zone's summer time (a negative "save" is a winter time
    // below the standard one, as some zones write it: a season all the same).
    std::map<double, long long> kept;
    bool seasonal = false;
    for (date::sys_seconds t = start; t < end;) {
        const date::sys_info info = tz->get_info(t);
        const date::sys_seconds until = std::min(info.end, end);
        kept[Hours(info.offset)] += (until - t).count();
        seasonal = seasonal || info.save != std::chrono::minutes{0};
        t = until;
    }
    ZoneYear zone{name, year, 0, std::nullopt};
    if (seasonal && kept.size() > 1) {
        zone.standardHours = kept.begin()->first;
        zone.summerHours = kept.rbegin()->first;
    } else {
        zone.standardHours =
            std::max_element(kept.begin(), kept.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->first;
    }
    return {zone, {}};
}

std::string ZoneDisagreement(const ZoneYear& zone, double utcHours) {
    if (utcHours == zone.standardHours) return {};
    return zone.name + " keeps " + OffsetText(zone.standardHours) + " as its standard time in " +
           std::to_string(zone.year);
}

std::string ZoneTitle(const ZoneYear& zone) {
    std::string title = zone.name + ", " + OffsetText(zone.standardHours);
    if (zone.summerHours) title += ", summer " + OffsetText(*zone.summerHours);
    return title;
}

}  // namespace sundial
