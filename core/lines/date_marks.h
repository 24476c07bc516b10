// Date lines a dial maker chooses: the days the sun enters each sign of the
// zodiac, and any dates the user names (a birthday, a founding day). Each is
// a declination of the sun; the dial draws the nodus's shadow through that
// day.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sun/sun_year.h"

namespace sundial::lines {

struct DateMark {
    double declinationDeg = 0;
    std::string label;             // "Taurus, Virgo"; "14 Jun"
    std::optional<MonthDay> date;  // a chosen date; nothing for a sign's line
};

// The seven lines of the sun's entry into the twelve signs (its ecliptic
// longitude a multiple of 30 degrees), signs on one line sharing it, from the
// highest declination to the lowest. `obliquityDeg`: SunYear::obliquityDeg.
std::vector<DateMark> SignLines(double obliquityDeg);

// "06-14" as a month and day; only the form is read ("02-30" reads).
std::optional<MonthDay> ParseMonthDay(std::string_view text);

// The line of a chosen date in `sun`'s year: the sun's declination at noon on
// the clock UTC + `zoneHours` that day. Nothing when the year has no such date.
std::optional<DateMark> ChosenDateLine(const SunYear& sun, MonthDay date, double zoneHours);

// "14 Jun".
std::string DateLabel(MonthDay date);

}  // namespace sundial::lines
