// What a dial maker may add to the hour and date lines, each on request.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/sun/sun_year.h"

namespace sundial::plan {

struct ExtraLineOptions {
    bool clockTime = false;        // each clock hour's figure-eight through the year
    bool clockTimeHalves = false;  // with clockTime, each half hour's too
    bool clockTimeOnly = false;    // with clockTime, no straight hour lines
    int year = 0;                  // the sun's year for curves, signs and dates
    bool summerNumerals = false;   // a second set of numerals an hour on
    bool tenMinutes = false;       // lines every ten minutes
    bool signs = false;            // the days the sun enters each zodiac sign
    std::vector<MonthDay> dates;   // chosen dates' lines
    bool horizon = false;
    bool equinoctial = false;
    double styleThicknessMm = 0;  // 0: a thin style
    bool italian = false;         // hours since sunset
    bool babylonian = false;      // hours since sunrise
    bool temporal = false;        // daylight in twelve

    // Anything that needs the sun through a year.
    bool NeedsYear() const { return clockTime || signs || !dates.empty(); }
    // Anything drawn from the nodus rather than the style.
    bool NeedsNodus() const {
        return NeedsYear() || horizon || equinoctial || italian || babylonian || temporal;
    }
};

// The old hour systems by the names their options go by.
struct HourSystemSwitch {
    const char* name;
    bool ExtraLineOptions::*on;
};
inline constexpr HourSystemSwitch kHourSystemSwitches[] = {
    {"italian", &ExtraLineOptions::italian},
    {"babylonian", &ExtraLineOptions::babylonian},
    {"temporal", &ExtraLineOptions::temporal},
};

// The first thing wrong, as a message for the user, or nothing: a year the
// sun's table does not cover, a date that year lacks, a negative thickness.
// (A thickness beyond the nodus's height is found with the dial.)
std::optional<std::string> CheckExtraLineOptions(const ExtraLineOptions& o);

}  // namespace sundial::plan
