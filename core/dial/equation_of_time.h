// The equation of time over one year, drawn in "The Equation of Time" chart.
// Shown, not applied: the hour lines do not use it.
#pragma once

#include "core/dial/drawing_surface.h"

namespace sundial {

// Minutes a sundial runs ahead (+) of mean clock time on day 0..365.
double EquationOfTime(int day);

// Chart position of day `day` and value `minutes` on a surface of outer size
// w by h (twips): x from 700 (day 0) to w - 200 (day 365); +20 minutes at
// y = 200, -20 at y = h - 900.
struct ChartPoint {
    double x;
    double y;
};
ChartPoint EquationChartPoint(int day, double minutes, double w, double h);

// The 366-point curve: a point for day 0, then a line to each following day.
void DrawEquationOfTime(DrawingSurface& surface);

}  // namespace sundial
