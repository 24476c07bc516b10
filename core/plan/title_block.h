// The strip below the plate: the title block (place, plane, zone, gnomon,
// sizes, date made), the 100 mm scale bar and, from sun samples, the
// equation-of-time table for reading clock time off the dial.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/engine/dial.h"
#include "core/plan/drawing.h"
#include "core/plan/plan.h"
#include "core/site/site_state.h"

namespace sundial::plan {

inline constexpr double kScaleBarMm = 100;

// Millimetres as the title block writes them: to a tenth, no trailing zeros.
std::string MmText(double mm);
// "UTC", "UTC+1", "UTC-5".
std::string ZoneText(float utcOffset);
// Every angle the title strip and the gnomon write: two decimals, the
// nearest, whatever the locale: "35.80°", "15.22°".
std::string AngleTitleText(double deg);
// "0.12° W", "8.54° E"; the meridian itself, with no side: "0.00°".
// `westDeg` is west positive, as stored.
std::string LongitudeText(double westDeg);
// The text size of the title strip's lines for a plate `widthMm` wide (the
// heading is a quarter larger); nothing else in the strip is set larger.
double TitleTextMm(double widthMm);
// What the title names: the place, or for typed coordinates (a place name
// "Unknown") the coordinates, "51.50° N, 0.12° W" (see LongitudeText).
std::string TitlePlace(const SiteState& site);

struct StripInput {
    const SiteState& site;
    const engine::Dial& dial;
    const PlanOptions& options;
    GnomonSize gnomon;
    const std::vector<SunSample>& samples;  // empty: no table
};

// Appends the strip's elements, starting `topMm` down, to `drawing`, and
// widens and deepens the drawing to hold them.
void AddTitleStrip(const StripInput& in, double topMm, Drawing& drawing);

// The equation-of-time table a reader adds to the dial's time, one column a
// month and a row for the 1st and the 15th, set under `y` (which it moves
// down). `equationOfTimeMin(month, day)` is the sun's lead on mean time, or
// nothing where it is not known (that cell stays empty).
void AppendEquationTable(
    const std::function<std::optional<double>(int month, int day)>& equationOfTimeMin, double size,
    double leading, double& y, std::vector<Element>& out);

// Moves `elements` into `drawing`, which grows to hold every one of them
// (a text by its box, down to its descenders).
void AppendGrowing(std::vector<Element>& elements, Drawing& drawing);

// A 100 mm bar with its top left at `topLeft`: outline, alternate
// centimetres filled, "0", "50" and "100 mm" under it.
std::vector<Element> ScaleBar(Point topLeft, double textSizeMm, Role role);

}  // namespace sundial::plan
