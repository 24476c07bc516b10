// The dial's geometry: the gnomon (style height, substyle distance, substyle
// hour angle) and the angle of every clock hour's line from the vertical for a
// vertical wall declining from south.
//
// Angles are degrees held in single precision (`float`) at the points where the
// program stores them; trigonometry is double precision with pi taken as
// 3.14159265358979.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/site/site_state.h"

namespace sundial {

inline constexpr double kPi = 3.14159265358979;
inline double DegToRad(double deg) {
    return deg * kPi / 180.0;
}
inline double RadToDeg(double rad) {
    return rad * 180.0 / kPi;
}

inline constexpr int kFirstDialHour = 6;
inline constexpr int kLastDialHour = 18;
inline constexpr int kLastStoredHour = 22;  // hour tables are indexed 6..22

// A floating-point step produced an invalid, infinite or divided-by-zero value.
// Raised inside the run and turned into a RunStatus there.
class ArithmeticFault : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Returns x, or raises ArithmeticFault when x is not finite.
double Checked(double x, const char* step);
// Narrows to single precision, raising ArithmeticFault on overflow.
float CheckedSingle(double x, const char* step);

// Arc sine in radians as atan(x / sqrt(1 - x*x)); |x| >= 1 is a fault.
double ArcSin(double x);

// Per-hour angles, degrees, indexed by clock hour 6..22 (19..22 stay 0).
// Indexing outside 6..22 throws std::out_of_range.
class HourTable {
  public:
    float& operator[](int hour);
    float operator[](int hour) const;

  private:
    std::array<float, kLastStoredHour - kFirstDialHour + 1> values_{};
};

struct HourRow {
    int hour;     // clock hour label, 2..24
    float angle;  // displayed angle: -ShadowAngle of the hour whose line it shares
};

struct DialGeometry {
    float GnomonAngle = 0;        // style height, degrees
    float GnomonOffset = 0;       // substyle from the vertical, degrees, >= 0
    float SubstyleHourAngle = 0;  // degrees, >= 0
    HourTable RawShadowAngle;     // hour line from the vertical, positive leaning left
    HourTable ShadowAngle;        // the same rounded down to hundredths
    std::string OffsetSide;       // "right.", "left." or "" (south wall)
    std::optional<int> FirstPositiveHour;
    std::optional<int> LastNegativeHour;
    std::vector<HourRow> HourList;
};

// Rounding for display. Shown angles and lengths are rounded down (toward
// minus infinity, so -0.01 gives -0.1 at tenths), never to nearest, and the
// result is held as a single because that is what the site and the dial store
// and print. Each rule below is the only place it is written.
//
// Hundredths of a degree, the product taken in double precision on the single's
// exact binary value: shadow angles and the gnomon's angle and offset as the
// report and the sheet print them. A single just below a hundredth stays below
// it (72.71f is 72.70999...: 72.7).
float FloorHundredths(float value);
// Tenths, the product taken in double precision on the exact value given:
// whether the gnomon offset counts as zero (degrees), and the gnomon dialog's
// slant side (a length in the user's unit, computed in double).
float FloorTenths(double value);
// Tenths of a stored single, the product taken in single precision: the gnomon
// dialog's forward angle (degrees). The single product of a value just below a
// tenth rounds up to the whole number, so 37.8f shows as 37.8 where FloorTenths
// gives 37.7.
float FloorTenthsSingle(float value);

// "right." for a west-declining wall, "left." for east, "" for south.
std::string OffsetSideFor(const std::string& declinationSide);

// GnomonAngle, GnomonOffset, SubstyleHourAngle from the site.
void ComputeGnomon(const SiteState& site, DialGeometry& dial);
// The hour line's angle from the vertical for any clock time in the site's
// zone (hours, 9.5 for half past nine; hours twelve apart share a line),
// positive leaning left and folded into -90..90, from the stored gnomon
// quantities; the same formula, and so the same single, as RawShadowAngle for a
// whole hour 6..18. Nothing for a DeclinationSide other than "West", "East" or
// "South". Raises ArithmeticFault.
std::optional<float> ShadowAngleAt(const SiteState& site, const DialGeometry& dial,
                                   double clockHours);
// RawShadowAngle[hour] and ShadowAngle[hour] for one clock hour 6..18, then the
// visible-range bookkeeping (FirstPositiveHour, LastNegativeHour).
void ComputeHour(const SiteState& site, DialGeometry& dial, int hour);
// The ordered rows the report and the sheet list, from ShadowAngle and the
// visible-range bookkeeping.
std::vector<HourRow> BuildHourList(const DialGeometry& dial);

// Everything above at once, without any output. Raises ArithmeticFault.
DialGeometry ComputeDial(const SiteState& site);

}  // namespace sundial
