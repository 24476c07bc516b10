// The lines a dial maker adds on request, beyond the hour and date lines:
// clock-time figure-eights, the lines of the zodiac signs and of chosen
// dates, the horizon and equinoctial lines, each labelled, and the legend
// that tells their kinds apart.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/engine/dial.h"
#include "core/plan/drawing.h"
#include "core/plan/labels.h"
#include "core/plan/plan.h"
#include "core/sun/sun_year.h"

namespace sundial::plan {

// One row of the legend under the title strip: a sample of the line or
// numeral, and what it means.
struct LegendEntry {
    Element sample;  // a line (drawn across the row's start) or a text
    std::string text;
};

struct ExtraLinesInput {
    const engine::Dial& dial;
    const PlanOptions& options;
    const SunYear* sun;  // the options' year; needed for curves and dates
    Rect area;           // where lines and labels may go
    double labelSizeMm = 0;
    NumeralStyle numerals = NumeralStyle::Roman;
};

struct ExtraLines {
    std::vector<Element> elements;
    std::vector<LegendEntry> legend;
    std::vector<std::string> notes;
};

// The extra lines the options ask for, their labels placed by `placer`
// (which keeps them off each other and off the lines it blocks).
ExtraLines BuildExtraLines(const ExtraLinesInput& in, LabelPlacer& placer);

// Appends the legend's rows below everything in `drawing`, starting at its
// left edge, and deepens the drawing to hold them.
void AddLegend(const std::vector<LegendEntry>& legend, double textSizeMm, Drawing& drawing);

// The label of a clock time: the numeral of a whole hour, "9:30" for a half.
std::string ClockTimeLabel(double hour, NumeralStyle style);

}  // namespace sundial::plan
