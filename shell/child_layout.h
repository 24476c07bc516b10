// Sizing of the three child windows to the main window, and the fixed
// furniture Cascade draws on the drawing and chart windows.
//
// Units: twips; W and H are a window's OUTER size; origin top left, y down.
#pragma once

#include <optional>

#include "dial/drawing_surface.h"

namespace sundial {

struct OuterSize {
    double width;
    double height;
};

// Only a main window taller than this resizes its children (so a minimised or
// very short one leaves them as they were).
inline constexpr double kMinMainHeightForCascade = 1601;

// The outer size all three children get, or nothing when the main window's
// outer height is 1601 or less.
std::optional<OuterSize> CascadeChildSize(OuterSize mainOuter);

// Clears the drawing window and draws the dial frame (700, 200)-(W-700, H-900).
void DrawDialFrame(DrawingSurface& draw);
// Clears the chart window and draws its frame, grid, month lines, zero line
// and the stroke-drawn labels (MONTH, 20, 0, +, -).
void DrawChartFurniture(DrawingSurface& chart);

}  // namespace sundial
