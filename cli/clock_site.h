// The site and the clock for the commands that work with the sun at clock
// times (sun, bearing, shadow): the site as every command reads it, and the
// zone its clock keeps, which these commands need and never guess from the
// longitude. --tz names a zone of the time-zone database (summer time
// included), --utc a fixed offset, possibly fractional; a gazetteer place
// brings its own zone; a saved site its saved offset, and the default site
// Exeter's zone, each said on stderr.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "cli/option_parser.h"
#include "cli/site_options.h"
#include "core/sun/clock_zone.h"
#include "core/sun/wall_bearing.h"

namespace sundial {

struct ClockSite {
    SiteOptions options;
    ClockZone zone;
    Observer observer;   // the site's coordinates and `zone`
    std::string notice;  // how the site or zone was chosen when the user did not say
};

// --tz; --utc comes with the site options.
void AddClockZoneOptions(OptionParser& parser);

// Throws BadInput: a zone unknown to the database, --tz with --utc, an offset
// beyond -12 to 14 hours, typed coordinates with no zone.
ClockSite ReadClockSite(const OptionParser& parser);

// The offset the site's clock kept at `clock`; throws BadInput naming
// `option` for a time the zone's clocks skipped or showed twice.
// An offset written with the time must be one the zone kept then.
double ClockOffset(const ClockSite& site, const StampedClock& clock, const std::string& option);

// "Exeter, Britain, 50.7 N 3.5 W; Europe/London, UTC+1 on 2026-06-21".
std::string SiteEcho(const ClockSite& site, double offsetHours, const ClockTime& clock);

// The same as JSON members: site, latitude, longitudeWest, zone, utcOffset.
void AddSiteJson(nlohmann::json& json, const ClockSite& site, double offsetHours);

}  // namespace sundial
