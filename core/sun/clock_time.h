// A date and time read off a clock, as the user types it: "2026-06-21T10:15:00".
// Which zone the clock keeps is said apart, as an offset in hours from UTC.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace sundial {

struct ClockTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    double second = 0;  // 0 <= second < 60

    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// Reads "YYYY-MM-DDTHH:MM[:SS[.fff]]"; a blank may stand for the "T". Only the
// form is checked here: "2026-02-30T10:00" reads, and CheckClockTime refuses it.
std::optional<ClockTime> ParseClockTime(std::string_view text);

// A clock time with the clock's offset from UTC written after it, as ISO 8601
// writes it: "2026-11-01T01:30:00-05:00", "...+05:30", "...+0530", "...+05",
// or "...Z" for UTC. Without one, `offsetHours` is empty and the zone said
// apart decides. Only the form is checked, as ParseClockTime's; an offset
// beyond 24 hours or 59 minutes does not read.
struct StampedClock {
    ClockTime clock;
    std::optional<double> offsetHours;
};
std::optional<StampedClock> ParseStampedClock(std::string_view text);

// An offset as ISO 8601 writes it after a time: "-05:00", "+05:45".
std::string IsoOffsetText(double hours);

// "2026-06-21T10:15:00"; fractions of a second are shown only when present.
std::string ClockTimeText(const ClockTime& clock);

// Empty when the date exists in the Gregorian calendar and the time of day is
// one; otherwise a sentence saying what is wrong.
std::string CheckClockTime(const ClockTime& clock);

// A point in time as read on a UTC clock, to the millisecond: for the
// computer's own clock, ClockTimeOf(std::chrono::system_clock::now()).
ClockTime ClockTimeOf(std::chrono::system_clock::time_point instant);

// The same instant on a clock `hours` ahead (negative: behind), across day,
// month and year ends. The clock must pass CheckClockTime.
ClockTime ShiftClock(const ClockTime& clock, double hours);

}  // namespace sundial
