#include "core/sun/clock_zone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/places/places.h"

namespace sundial {
namespace {

// Each zone's clock change of 2026 as its published rules set it: the
// instant in UTC, and the offsets before and after.
struct ChangeRow {
    const char* name;
    const char* zone;
    ClockTime utc;  // the first second of the new offset
    double before;
    double after;
};

const std::vector<ChangeRow> kChanges = {
    // Last Sundays of March and October, at 01:00 UTC.
    {"london-spring", "Europe/London", {2026, 3, 29, 1, 0, 0}, 0, 1},
    {"london-autumn", "Europe/London", {2026, 10, 25, 1, 0, 0}, 1, 0},
    // Second Sunday of March and first of November, at 02:00 local.
    {"new-york-spring", "America/New_York", {2026, 3, 8, 7, 0, 0}, -5, -4},
    {"new-york-autumn", "America/New_York", {2026, 11, 1, 6, 0, 0}, -4, -5},
    {"st-johns-spring", "America/St_Johns", {2026, 3, 8, 5, 30, 0}, -3.5, -2.5},
    {"st-johns-autumn", "America/St_Johns", {2026, 11, 1, 4, 30, 0}, -2.5, -3.5},
    // The south: summer time ends on the first Sunday of April (03:00 local)
    // and starts on the first Sunday of October (02:00 local).
    {"sydney-autumn", "Australia/Sydney", {2026, 4, 4, 16, 0, 0}, 11, 10},
    {"sydney-spring", "Australia/Sydney", {2026, 10, 3, 16, 0, 0}, 10, 11},
};

TEST(ClockZone, ChangesAtThePublishedInstant) {
    for (const ChangeRow& row : kChanges) {
        const ClockZone zone = NamedZone(row.zone);
        const ClockTime justBefore = ShiftClock(row.utc, -1.0 / 3600);
        EXPECT_EQ(OffsetAtUtc(zone, justBefore).hours, row.before) << row.name;
        EXPECT_EQ(OffsetAtUtc(zone, row.utc).hours, row.after) << row.name;
        // On the zone's own clock, two hours either side of the change.
        EXPECT_EQ(OffsetAtClock(zone, ShiftClock(row.utc, row.before - 2)).hours, row.before)
            << row.name;
        EXPECT_EQ(OffsetAtClock(zone, ShiftClock(row.utc, row.after + 2)).hours, row.after)
            << row.name;
        // Half an hour into the hour the change skips (forward) or shows
        // twice (back).
        const ClockTime between = ShiftClock(row.utc, std::min(row.before, row.after) + 0.5);
        const ZoneOffset at = OffsetAtClock(zone, between);
        EXPECT_FALSE(at.hours) << row.name;
        EXPECT_NE(at.error.find(row.after > row.before ? "never showed" : "twice"),
                  std::string::npos)
            << row.name << ": " << at.error;
    }
}

// Every hour of a year: a UTC instant shown on the zone's clock reads back to
// the same offset, except in the hour a change shows twice.
// Half an hour after each change, on the new clock: in autumn that time was
// shown twice and either offset says which; in spring only the new offset
// was kept. Any other offset is refused, naming the zone's.
TEST(ClockZone, AnOffsetWrittenWithTheTimeMustBeTheZones) {
    for (const ChangeRow& row : kChanges) {
        const ClockZone zone = NamedZone(row.zone);
        const ClockTime local = ShiftClock(row.utc, row.after + 0.5);
        const bool twice = row.after < row.before;
        const ZoneOffset plain = OffsetAtClock(zone, local);
        EXPECT_EQ(plain.hours.has_value(), !twice) << row.name;
        if (twice) {
            EXPECT_NE(plain.error.find(ClockTimeText(local) + IsoOffsetText(row.before)),
                      std::string::npos)
                << row.name << ": " << plain.error;
        }
        EXPECT_EQ(OffsetAtClock(zone, local, row.after).hours, row.after) << row.name;
        EXPECT_EQ(OffsetAtClock(zone, local, row.before).hours.has_value(), twice) << row.name;
        const ZoneOffset wrong = OffsetAtClock(zone, local, row.after - 2);
        EXPECT_FALSE(wrong.hours) << row.name;
        EXPECT_NE(wrong.error.find("not " + OffsetText(row.after - 2)), std::string::npos)
            << row.name << ": " << wrong.error;
        EXPECT_NE(wrong.error.find(OffsetText(row.after)), std::string::npos) << row.name;
    }
    EXPECT_EQ(OffsetAtClock(FixedZone(5.5), {2026, 1, 1, 12, 0, 0}, 5.5).hours, 5.5);
    EXPECT_FALSE(OffsetAtClock(FixedZone(5.5), {2026, 1, 1, 12, 0, 0}, 5.75).hours);
}

// The offsets clocks keep: the odd ones in use are there, each once, and
// every one a whole number of quarter hours within -12 to 14.
TEST(ClockZone, OffsetsInUseRunFromMinusTwelveToFourteen) {
    const std::vector<double> offsets = OffsetsInUse({2026, 6, 1, 0, 0, 0});
    ASSERT_FALSE(offsets.empty());
    EXPECT_EQ(offsets.front(), -12);
    EXPECT_EQ(offsets.back(), 14);
    for (const double known : {-9.5, -3.5, -2.5, 0.0, 5.5, 5.75, 8.75, 9.5, 10.5, 12.75, 13.75}) {
        EXPECT_TRUE(std::count(offsets.begin(), offsets.end(), known) == 1) << known;
    }
    EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end()));
    for (const double hours : offsets) EXPECT_EQ(std::fmod(hours * 4, 1.0), 0) << hours;
}

TEST(ClockZone, ClockAndUtcAgreeThroughTheYear) {
    for (const char* name : {"Europe/London", "America/St_Johns", "Australia/Sydney",
                             "Asia/Kolkata", "America/Chicago"}) {
        const ClockZone zone = NamedZone(name);
        int twice = 0;
        for (int hour = 0; hour < 365 * 24; ++hour) {
            const ClockTime utc = ShiftClock({2026, 1, 1, 0, 0, 0}, hour);
            const double offset = OffsetAtUtc(zone, utc).hours.value();
            const ZoneOffset back = OffsetAtClock(zone, ShiftClock(utc, offset));
            if (!back.hours) {
                ++twice;
                continue;
            }
            EXPECT_EQ(*back.hours, offset) << name << " " << ClockTimeText(utc);
        }
        // The hour shown twice at the autumn change, seen from both offsets.
        EXPECT_EQ(twice, std::string(name) == "Asia/Kolkata" ? 0 : 2) << name;
    }
    EXPECT_EQ(OffsetAtUtc(NamedZone("Asia/Kolkata"), {2026, 6, 21, 0, 0, 0}).hours, 5.5);
}

TEST(ClockZone, NamesAndTexts) {
    EXPECT_EQ(CheckZoneName("Europe/London"), "");
    EXPECT_NE(CheckZoneName("Europe/Londn").find("no time zone called \"Europe/Londn\""),
              std::string::npos);
    EXPECT_FALSE(OffsetAtClock(NamedZone("Mars/Olympus"), {2026, 1, 1, 0, 0, 0}).hours);
    struct Row {
        double hours;
        const char* text;
    };
    for (const Row& row : {Row{0, "UTC+0"}, Row{1, "UTC+1"}, Row{-3.5, "UTC-3:30"},
                           Row{5.75, "UTC+5:45"}, Row{-12, "UTC-12"}}) {
        EXPECT_EQ(OffsetText(row.hours), row.text);
    }
    EXPECT_EQ(ZoneEcho(NamedZone("Europe/London"), 1, {2026, 6, 21, 12, 0, 0}),
              "Europe/London, UTC+1 on 2026-06-21");
}

// Every gazetteer place's zone is one the database knows, and its clock is
// near the place's own sun: within two hours (30 degrees) of local mean time.
TEST(ClockZone, EveryPlaceHasAKnownZoneNearItsLongitude) {
    for (const Place& p : Places()) {
        ASSERT_EQ(CheckZoneName(p.zone), "") << p.placeName;
        const double offset = OffsetAtUtc(NamedZone(p.zone), {2026, 1, 15, 12, 0, 0}).hours.value();
        EXPECT_LT(std::fabs(offset * 15 + p.longitude), 30) << p.placeName << " " << p.zone;
    }
}

}  // namespace
}  // namespace sundial
