// The sun through one calendar year, for curves that need it on every day of
// it: the declination and equation of time at any instant of the year, read
// from positions worked out with ERFA every few days and interpolated.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "core/sun/solar_position.h"

namespace sundial {

// The years a SunYear covers: those whose neighbouring weeks the ephemeris
// still reaches.
inline constexpr int kFirstCurveYear = kFirstSunYear + 1;
inline constexpr int kLastCurveYear = kLastSunYear - 1;

// Day `dayOfYear` (1 = 1 January) of `year`, or nothing beyond the year's end.
struct MonthDay {
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};
std::optional<MonthDay> MonthDayOf(int year, int dayOfYear);
// The day of the year of a date, or nothing when `year` has no such date.
std::optional<int> DayOfYear(int year, MonthDay date);
int DaysInYear(int year);

class SunYear {
  public:
    // Nothing outside kFirstCurveYear..kLastCurveYear.
    static std::optional<SunYear> For(int year);

    int year() const { return year_; }
    int days() const { return DaysInYear(year_); }
    // The tilt of the equator to the ecliptic at midyear, degrees: the sun's
    // declination when its ecliptic longitude is 90 degrees.
    double obliquityDeg() const { return obliquityDeg_; }

    // The sun `utcDays` after 0h UTC on 1 January, from 8 days before the
    // year to 8 days after it.
    CentreSun At(double utcDays) const;
    // The sun at clock time `clockHours` on day `dayOfYear` of a clock that
    // keeps UTC + `zoneHours`.
    CentreSun AtClock(int dayOfYear, double clockHours, double zoneHours) const;

  private:
    SunYear(int year, double obliquityDeg, std::vector<CentreSun> nodes)
        : year_(year), obliquityDeg_(obliquityDeg), nodes_(std::move(nodes)) {}

    int year_ = 0;
    double obliquityDeg_ = 0;
    std::vector<CentreSun> nodes_;  // every kSunYearStepDays from kSunYearFirstNodeDay
};

}  // namespace sundial
