// A named zone's clocks through one calendar year, as a dial drawn for that
// year keeps them: the winter (standard) time its hour lines and curves
// follow, and the summer time its second ring of numerals shows, when the
// zone has one that year.
//
// Offsets are hours east of Greenwich, as in clock_zone.h.
#pragma once

#include <optional>
#include <string>

namespace sundial {

struct ZoneYear {
    std::string name;  // the database's name ("Europe/London")
    int year = 0;
    // The clocks' time when not put on for summer: the lowest offset of a
    // year whose clocks change with the seasons, otherwise the offset kept
    // longest that year (a zone whose rules changed).
    double standardHours = 0;
    // The highest offset of a year whose clocks change with the seasons.
    std::optional<double> summerHours;
};

struct ZoneYearRead {
    std::optional<ZoneYear> zone;
    std::string error;  // a sentence for the user when there is no zone
};

// The zone `name` in `year`. Refused for a name the database does not hold.
ZoneYearRead ZoneInYear(const std::string& name, int year);

// Empty when `utcHours` is the zone's standard time; otherwise a clause for
// a message: "Europe/London keeps UTC+0 as its standard time in 2026".
std::string ZoneDisagreement(const ZoneYear& zone, double utcHours);

// The zone as a dial's title names it: "Europe/London, UTC+0, summer UTC+1";
// "Asia/Tokyo, UTC+9".
std::string ZoneTitle(const ZoneYear& zone);

}  // namespace sundial
