// The positions a SunYear interpolates between: the sun from the earth's
// centre every few days through a year and a little beyond it, worked out
// with ERFA. The program carries them for the years around its own; other
// years are worked out when asked.
#pragma once

#include <optional>
#include <vector>

#include "core/sun/solar_position.h"

namespace sundial {

// Cubic interpolation over four days keeps the sun within a few tenths of a
// second of arc (the error falls as the step's fourth power): a low sun's
// shadow stays within 0.02 mm on a metre's plate, where eight days left it
// 0.03 mm off. A hundred ERFA positions a year.
inline constexpr double kSunYearStepDays = 4;
inline constexpr int kSunYearMarginNodes = 2;  // nodes before the year and after it
inline constexpr double kSunYearFirstNodeDay = -kSunYearMarginNodes * kSunYearStepDays;
// As many for a leap year as for any other.
inline constexpr int kSunYearNodes = 97;

// The years whose nodes the program carries, worked out when it was built.
inline constexpr int kFirstCarriedSunYear = 2020;
inline constexpr int kLastCarriedSunYear = 2060;

// The nodes of `year`, from kSunYearFirstNodeDay (days after 0h UTC on
// 1 January) every kSunYearStepDays; nothing where the ephemeris ends.
std::optional<std::vector<CentreSun>> WorkOutSunYearNodes(int year);

// The nodes carried for `year`, or nullptr when it is not one of them.
const CentreSun* CarriedSunYearNodes(int year);

}  // namespace sundial
