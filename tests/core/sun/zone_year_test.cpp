// A named zone's year against the published rules of its clocks.
#include "core/sun/zone_year.h"

#include <gtest/gtest.h>

#include <optional>

namespace sundial {
namespace {

struct Row {
    const char* name;
    const char* zone;
    int year;
    double standard;
    std::optional<double> summer;
    const char* title;
};

const Row kRows[] = {
    {"london", "Europe/London", 2026, 0, 1, "Europe/London, UTC+0, summer UTC+1"},
    // Summer straddles the year's end in the south.
    {"sydney", "Australia/Sydney", 2026, 10, 11, "Australia/Sydney, UTC+10, summer UTC+11"},
    {"st-johns", "America/St_Johns", 2026, -3.5, -2.5,
     "America/St_Johns, UTC-3:30, summer UTC-2:30"},
    // Its rules call summer the standard time and winter a negative saving:
    // the lines still keep winter's GMT.
    {"dublin", "Europe/Dublin", 2026, 0, 1, "Europe/Dublin, UTC+0, summer UTC+1"},
    {"troll-two-hours", "Antarctica/Troll", 2026, 0, 2, "Antarctica/Troll, UTC+0, summer UTC+2"},
    {"tokyo-none", "Asia/Tokyo", 2026, 9, std::nullopt, "Asia/Tokyo, UTC+9"},
    {"kolkata-half-hour", "Asia/Kolkata", 2026, 5.5, std::nullopt, "Asia/Kolkata, UTC+5:30"},
    // Moved from UTC+3 to a lasting UTC+4 on 27 March 2011, no summer time
    // after: the offset kept longest.
    {"moscow-rules-changed", "Europe/Moscow", 2011, 4, std::nullopt, "Europe/Moscow, UTC+4"},
    {"moscow-before", "Europe/Moscow", 2010, 3, 4, "Europe/Moscow, UTC+3, summer UTC+4"},
};

TEST(ZoneYear, KeepsThePublishedStandardAndSummerTimes) {
    for (const Row& r : kRows) {
        const ZoneYearRead read = ZoneInYear(r.zone, r.year);
        ASSERT_TRUE(read.zone) << r.name << ": " << read.error;
        EXPECT_EQ(read.zone->standardHours, r.standard) << r.name;
        EXPECT_EQ(read.zone->summerHours, r.summer) << r.name;
        EXPECT_EQ(ZoneTitle(*read.zone), r.title) << r.name;
        EXPECT_EQ(ZoneDisagreement(*read.zone, r.standard), "") << r.name;
        EXPECT_NE(ZoneDisagreement(*read.zone, r.standard + 1), "") << r.name;
    }
}

TEST(ZoneYear, RefusesUnknownNamesAndYears) {
    for (const auto& [zone, year] :
         {std::pair{"Europe/Londn", 2026}, {"", 2026}, {"Europe/London", 1000000}}) {
        const ZoneYearRead read = ZoneInYear(zone, year);
        EXPECT_FALSE(read.zone) << zone << " " << year;
        EXPECT_FALSE(read.error.empty()) << zone << " " << year;
    }
}

}  // namespace
}  // namespace sundial
