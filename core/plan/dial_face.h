// The face of the dial: hour lines from the root, the substyle, the root's
// mark and the numerals in a band round the plate's edge, the numerals made
// as large as the plate allows without crowding.
#pragma once

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

struct FaceLayout {
    // Where the lines end: the plate less the numerals' band (the band is
    // narrower where the root is nearer an edge). Date lines stay inside it.
    Rect inner;
    double numeralSizeMm = 0;  // 0 without numerals
    std::vector<Element> elements;
    std::vector<Rect> numeralBoxes;
    bool fits = true;  // the numerals found room at the size chosen
};

// `lines` from HourLinesFor; `substyleDeg` from SubstyleAngleDeg. Numerals
// start at a twentieth of the plate's smaller side (3 to 60 mm) and shrink
// until each lies on the plate, in the band, clear of the others.
FaceLayout LayoutFace(const std::vector<HourLine>& lines, float substyleDeg, Point root,
                      double widthMm, double heightMm, NumeralStyle style);

}  // namespace sundial::plan
