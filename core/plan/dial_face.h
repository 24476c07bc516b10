// The face of the dial: the hour lines the sun can light, the substyle, the
// root's or the nodus foot's mark, and the numerals in a band round the
// plate's edge, one size to a ring.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/plan/drawing.h"
#include "core/plan/hour_lines.h"
#include "core/plan/plan.h"

namespace sundial::plan {

inline constexpr double kMinNumeralMm = 3;
inline constexpr double kMaxNumeralMm = 60;
inline constexpr double kHourStrokeMm = 0.5;
inline constexpr double kHalfHourStrokeMm = 0.35;
inline constexpr double kQuarterHourStrokeMm = 0.25;
inline constexpr double kTenMinuteStrokeMm = 0.18;
inline constexpr std::uint32_t kSummerColour = 0xc62828;

struct FaceInput {
    const std::vector<HourLine>& lines;  // from HourLinesFor
    std::optional<Point> root;           // nothing at infinity
    Point foot;                          // the nodus's foot
    bool markFoot = false;               // mark the foot as well as (or instead of) the root
    Point substyleThrough;               // the substyle's line: through here along
    Point substyleDirection;             //   this unit vector (a ray from a root)
    bool drawSubstyle = true;            // false when the style stands square to the plate
    double widthMm = 0;
    double heightMm = 0;
    NumeralStyle numerals = NumeralStyle::Roman;
    bool toSolstices = false;  // hour lines only between the solstices' shadows
    // A second ring of numerals inside the first, `summerHoursOn` on, for
    // summer time.
    bool summerNumerals = false;
    int summerHoursOn = 1;
};

struct FaceLayout {
    // Where the lines end: the plate less the numerals' band (narrower where
    // the root is nearer an edge). Date lines stay inside it.
    Rect inner;
    double numeralSizeMm = 0;  // the largest numeral's size; 0 without numerals
    double smallestNumeralMm = 0;
    std::vector<Element> elements;
    std::vector<Rect> numeralBoxes;
    bool fits = true;  // every numeral found room at its size
    // The numerals set smaller than their ring's size, and those left out.
    std::vector<std::string> notes;
};

// Numerals start at a twentieth of the plate's smaller side (3 to 60 mm); a
// numeral that crowds another or leaves the plate shrinks on its own, to 3 mm
// at the least, or is left out. Then each ring takes the size most of its
// numerals reach; only those that cannot fit it stay smaller, each named.
FaceLayout LayoutFace(const FaceInput& in);

}  // namespace sundial::plan
