// The zone a clock keeps: a named zone of the time-zone database with its
// summer-time rules ("Europe/London", "America/St_Johns"), or a fixed offset
// from UTC that never changes ("UTC+5:30").
//
// Offsets are hours east of Greenwich: the clock shows UTC + offset.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/sun/clock_time.h"

namespace sundial {

struct ClockZone {
    std::string name;             // a database name; empty for a fixed offset
    double fixedOffsetHours = 0;  // used only when `name` is empty

    friend bool operator==(const ClockZone&, const ClockZone&) = default;
};

ClockZone NamedZone(std::string name);
ClockZone FixedZone(double offsetHours);

// Empty when the database holds a zone called `name`; otherwise a sentence
// saying it does not.
std::string CheckZoneName(std::string_view name);

struct ZoneOffset {
    std::optional<double> hours;  // the clock shows UTC + hours at that moment
    std::string abbreviation;     // "BST", "NDT"; empty for a fixed offset
    // Why there is no offset: the clock time was skipped when the clocks went
    // forward, or happened twice when they went back; or the zone is unknown.
    std::string error;
    // For a time shown twice: the offsets before and after the clocks went back.
    std::optional<std::pair<double, double>> twice;
};

// The message for a clock time a zone's clocks showed twice, at offsets
// `first` and then `second`: it ends with the two ways to write the time,
// each after `typedBefore` ("--at "), so that it says exactly what to type.
std::string ShownTwiceText(const std::string& zoneName, const ClockTime& clock, double first,
                           double second, const std::string& typedBefore = "");

// The offset in force when the zone's clocks showed `clock` (which must pass
// CheckClockTime). A time skipped or repeated by a change of the clocks has
// no one offset, and says so.
ZoneOffset OffsetAtClock(const ClockZone& zone, const ClockTime& clock);

// The offset written with a clock time (`given`), when the zone's clocks kept
// it then: a fixed zone's own offset, or for a named zone its offset at that
// time, either of the two for a time shown twice. Otherwise the error names
// both the offset given and the zone's.
ZoneOffset OffsetAtClock(const ClockZone& zone, const ClockTime& clock, double given);

// The offset in force at the instant `utc`, read on a UTC clock.
ZoneOffset OffsetAtUtc(const ClockZone& zone, const ClockTime& utc);

// Every offset a zone of the database keeps in the year of `utc`, standard or
// summer time, ascending from -12 to 14 hours: the fixed offsets worth offering.
std::vector<double> OffsetsInUse(const ClockTime& utc);

// "UTC", "UTC+1", "UTC-3:30", "UTC+5:45": as clocks are labelled.
std::string OffsetText(double hours);

// What a computation applied, for the user: "Europe/London, UTC+1 on
// 2026-06-21"; for a fixed offset "UTC+2 (a fixed offset, no summer time)".
std::string ZoneEcho(const ClockZone& zone, double offsetHours, const ClockTime& clock);

// The zone's name as a user reads it: the database name, or OffsetText.
std::string ZoneName(const ClockZone& zone);

}  // namespace sundial
