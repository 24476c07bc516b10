// The fixed furniture Cascade draws on the drawing and chart windows: frames,
// grid and stroke-drawn labels.
//
// Units: twips; W and H are the surface's size; origin top left, y down.
#pragma once

#include "core/dial/drawing_surface.h"

namespace sundial {

// Clears the drawing window and draws the dial frame (700, 200)-(W-700, H-900).
void DrawDialFrame(DrawingSurface& draw);
// Clears the chart window and draws its frame, grid, month lines, zero line
// and the stroke-drawn labels (MONTH, 20, 0, +, -).
void DrawChartFurniture(DrawingSurface& chart);

}  // namespace sundial
