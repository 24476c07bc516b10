#include "core/lines/date_marks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/sun/clock_time.h"

namespace sundial::lines {
namespace {

constexpr double kDeclinationTol = 0.001;  // degrees, the year table's promise

// The sun enters each sign on the almanac's day (2026, UTC): that day's
// noon declination lies within one day's motion (0.4 degrees) of the line
// the sign shares, and the lines are seven, symmetric about the equator.
TEST(SignLines, SevenLinesTheSunCrossesOnTheAlmanacsDays) {
    const auto year = SunYear::For(2026);
    ASSERT_TRUE(year);
    const auto signs = SignLines(year->obliquityDeg());
    ASSERT_EQ(signs.size(), 7u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < signs.size(); ++i) {
        EXPECT_NEAR(signs[i].declinationDeg, -signs[6 - i].declinationDeg, 1e-12);
        if (i > 0) {
            EXPECT_LT(signs[i].declinationDeg, signs[i - 1].declinationDeg);
        }
        names.insert(signs[i].label);
    }
    EXPECT_EQ(names.size(), 7u);
    struct Entry {
        const char* sign;
        MonthDay date;
    };
    for (const Entry& e :
         {Entry{"Aries", {3, 20}}, Entry{"Taurus", {4, 20}}, Entry{"Gemini", {5, 21}},
          Entry{"Cancer", {6, 21}}, Entry{"Leo", {7, 22}}, Entry{"Virgo", {8, 23}},
          Entry{"Libra", {9, 23}}, Entry{"Scorpio", {10, 23}}, Entry{"Sagittarius", {11, 22}},
          Entry{"Capricorn", {12, 21}}, Entry{"Aquarius", {1, 20}}, Entry{"Pisces", {2, 18}}}) {
        int found = 0;
        for (const DateMark& m : signs) {
            if (m.label.find(e.sign) == std::string::npos) continue;
            ++found;
            const auto line = ChosenDateLine(*year, e.date, 0);
            ASSERT_TRUE(line);
            EXPECT_NEAR(line->declinationDeg, m.declinationDeg, 0.4) << e.sign;
        }
        EXPECT_EQ(found, 1) << e.sign;
    }
}

TEST(ChosenDateLine, IsTheSunsDeclinationAtNoonThatDayOfTheYear) {
    for (const int yearNumber : {2026, 2028}) {
        const auto year = SunYear::For(yearNumber);
        for (const MonthDay date : {MonthDay{6, 14}, MonthDay{2, 28}, MonthDay{12, 31}}) {
            const auto line = ChosenDateLine(*year, date, 5.5);
            ASSERT_TRUE(line);
            const auto sun = SunAt(0, 0, {yearNumber, date.month, date.day, 12, 0, 0}, 5.5);
            EXPECT_NEAR(line->declinationDeg, sun.position->declinationDeg, kDeclinationTol);
            EXPECT_EQ(line->date->day, date.day);
        }
    }
    EXPECT_EQ(ChosenDateLine(*SunYear::For(2028), *ParseMonthDay("02-29"), 0)->label, "29 Feb");
    for (const char* bad : {"6-14", "06/14", "0614", "06-14x", "-6-14", ""}) {
        EXPECT_FALSE(ParseMonthDay(bad)) << bad;
    }
    EXPECT_FALSE(ChosenDateLine(*SunYear::For(2026), {2, 29}, 0));
}

}  // namespace
}  // namespace sundial::lines
