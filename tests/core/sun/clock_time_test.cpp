#include "core/sun/clock_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace sundial {
namespace {

bool Same(const ClockTime& a, const ClockTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

TEST(ClockTime, ReadsTheFormsPeopleType) {
    struct Row {
        const char* name;
        const char* text;
        ClockTime expected;
    };
    const std::vector<Row> rows = {
        {"full", "2026-06-21T10:15:00", {2026, 6, 21, 10, 15, 0}},
        {"no-seconds", "2026-06-21T10:15", {2026, 6, 21, 10, 15, 0}},
        {"blank-separator", "2026-06-21 10:15:30", {2026, 6, 21, 10, 15, 30}},
        {"fraction", "1999-12-31T23:59:59.25", {1999, 12, 31, 23, 59, 59.25}},
        // Only the form is read: whether the day exists is checked apart.
        {"impossible-but-well-formed", "2026-02-30T25:61", {2026, 2, 30, 25, 61, 0}},
    };
    for (const Row& row : rows) {
        const auto read = ParseClockTime(row.text);
        ASSERT_TRUE(read) << row.name;
        EXPECT_TRUE(Same(*read, row.expected)) << row.name << ": " << ClockTimeText(*read);
    }
}

TEST(ClockTime, RefusesTextThatIsNotADateAndTime) {
    for (const char* text : {"", "2026-06-21", "2026-6-21T10:15", "21/06/2026 10:15",
                             "2026-06-21T10", "2026-06-21T10:15:", "2026-06-21T10:15:00.",
                             "2026-06-21T10:15:00.5e3", "2026-06-21T10:15:00Z",
                             "2026-06-21T10:15:00+02:00", "+026-06-21T10:15", "2026-06-21x10:15"}) {
        EXPECT_FALSE(ParseClockTime(text)) << '"' << text << '"';
    }
}

// The offset after the time: ISO 8601's forms, and the time itself as before.
TEST(ClockTime, ReadsTheOffsetWrittenAfterTheTime) {
    struct Row {
        const char* name;
        const char* text;
        std::optional<double> offset;  // nothing: the text does not read
    };
    const std::vector<Row> rows = {
        {"none", "2026-11-01T01:30:00", std::nullopt},
        {"utc", "2026-11-01T01:30:00Z", 0.0},
        {"west", "2026-11-01T01:30:00-05:00", -5.0},
        {"east-quarter", "2026-11-01T01:30+05:45", 5.75},
        {"compact", "2026-11-01T01:30:00.5+0530", 5.5},
        {"hours-only", "2026-11-01T01:30:00-03", -3.0},
        {"line-islands", "2026-11-01T01:30:00+14:00", 14.0},
    };
    for (const Row& row : rows) {
        const auto read = ParseStampedClock(row.text);
        ASSERT_TRUE(read) << row.name;
        EXPECT_EQ(read->offsetHours, row.offset) << row.name;
        EXPECT_EQ(read->clock.hour, 1) << row.name;
        EXPECT_EQ(read->clock.minute, 30) << row.name;
        if (row.offset) {
            EXPECT_EQ(ParseStampedClock(ClockTimeText(read->clock) + IsoOffsetText(*row.offset))
                          ->offsetHours,
                      row.offset)
                << row.name;
        }
    }
    for (const char* bad :
         {"2026-11-01T01:30:00-5:00", "2026-11-01T01:30:00+05:60", "2026-11-01T01:30:00-25:00",
          "2026-11-01T01:30:00+", "2026-11-01-05:00", "2026-11-01T01:30:00-05:00Z"}) {
        EXPECT_FALSE(ParseStampedClock(bad)) << bad;
    }
}

TEST(ClockTime, TextReadsBackToTheSameReading) {
    for (const char* text : {"2026-06-21T10:15:00", "1900-01-01T00:00:00", "2100-12-31T23:59:59",
                             "2026-06-21T10:15:07.5", "2026-06-21T10:15:07.125"}) {
        const auto read = ParseClockTime(text);
        ASSERT_TRUE(read) << text;
        EXPECT_EQ(ClockTimeText(*read), text);
    }
}

TEST(ClockTime, CheckFindsDaysAndTimesThatDoNotExist) {
    struct Row {
        const char* name;
        ClockTime clock;
        bool exists;
    };
    const std::vector<Row> rows = {
        {"leap-day-2024", {2024, 2, 29, 12, 0, 0}, true},
        {"leap-day-2000", {2000, 2, 29, 12, 0, 0}, true},
        {"no-leap-day-1900", {1900, 2, 29, 12, 0, 0}, false},
        {"april-31", {2026, 4, 31, 12, 0, 0}, false},
        {"month-zero", {2026, 0, 10, 12, 0, 0}, false},
        {"day-zero", {2026, 1, 0, 12, 0, 0}, false},
        {"last-second", {2026, 12, 31, 23, 59, 59.999}, true},
        {"minute-sixty", {2026, 1, 1, 12, 60, 0}, false},
        {"negative-second", {2026, 1, 1, 12, 0, -1}, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CheckClockTime(row.clock).empty(), row.exists) << row.name;
    }
}

TEST(ClockTime, ShiftingCrossesDayMonthAndYearEnds) {
    struct Row {
        const char* name;
        ClockTime from;
        double hours;
        ClockTime to;
    };
    const std::vector<Row> rows = {
        {"same-day", {2026, 6, 21, 10, 15, 30}, -2, {2026, 6, 21, 8, 15, 30}},
        {"into-next-year", {2026, 12, 31, 23, 0, 0}, 5, {2027, 1, 1, 4, 0, 0}},
        {"back-to-leap-day", {2024, 3, 1, 1, 0, 0}, -3, {2024, 2, 29, 22, 0, 0}},
        {"back-over-1900-feb", {1900, 3, 1, 0, 30, 0}, -1, {1900, 2, 28, 23, 30, 0}},
        {"half-hour-zone", {2026, 6, 21, 0, 10, 0}, -5.5, {2026, 6, 20, 18, 40, 0}},
        {"whole-day", {2026, 2, 28, 12, 0, 0}, 24, {2026, 3, 1, 12, 0, 0}},
    };
    for (const Row& row : rows) {
        const ClockTime got = ShiftClock(row.from, row.hours);
        EXPECT_TRUE(Same(got, row.to)) << row.name << ": " << ClockTimeText(got);
        // And back again.
        EXPECT_TRUE(Same(ShiftClock(got, -row.hours), row.from)) << row.name;
    }
}

TEST(ClockTime, ReadsTheSystemClockInUtc) {
    using namespace std::chrono;
    struct Row {
        const char* name;
        sys_time<milliseconds> instant;
        ClockTime expected;
    };
    const std::vector<Row> rows = {
        {"epoch", sys_days{1970y / 1 / 1} + 0ms, {1970, 1, 1, 0, 0, 0}},
        {"leap-day-afternoon",
         sys_days{2024y / 2 / 29} + 15h + 4min + 5s + 250ms,
         {2024, 2, 29, 15, 4, 5.25}},
        {"last-millisecond-of-2100",
         sys_days{2100y / 12 / 31} + 23h + 59min + 59s + 999ms,
         {2100, 12, 31, 23, 59, 59.999}},
        {"before-the-epoch", sys_days{1969y / 12 / 31} + 23h + 30min, {1969, 12, 31, 23, 30, 0}},
    };
    for (const Row& row : rows) {
        const ClockTime got = ClockTimeOf(row.instant);
        EXPECT_TRUE(Same(got, row.expected)) << row.name << ": " << ClockTimeText(got);
    }
}

}  // namespace
}  // namespace sundial
