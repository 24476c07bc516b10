// The scale drawing of the dial in the "Sundial Drawing" window: one line per
// clock hour 6..18 from the gnomon's root, stroke-built Roman numerals, and the
// thicker foot line of the gnomon.
//
// Surface units: twips, origin top left, y down. W and Ht are the window's
// outer size. Angles in degrees, positive leaning LEFT of the root.
#pragma once

#include "core/dial/drawing_surface.h"
#include "core/dial/geometry.h"

namespace sundial {

struct DialRoot {
    double x0;  // W / 2
    double y0;  // 200, the dial frame's top edge
};

// Below this outer size nothing of the dial is drawn (strictly greater needed).
inline constexpr double kMinDialWidth = 2300;
inline constexpr double kMinDialHeight = 2000;

// Where a line from the root at `rawAngleDeg` ends, cut where it meets the
// side limits 700 from the window's edges, and the top left corner of the
// numeral that goes with it.
struct HourLineEnd {
    double x, y;    // the line's end
    double nx, ny;  // the numeral's corner
};
HourLineEnd HourLineEndFor(const DrawingSurface& surface, const DialRoot& root, double rawAngleDeg);

// Whether the window is large enough for the dial to be drawn at all.
bool DialFits(const DrawingSurface& surface);

// Line width 1; the root at (W / 2, 200).
DialRoot PrepareDialDrawing(DrawingSurface& surface);
// One hour's line from the root and its numeral, from the unrounded angle.
void DrawHourLine(DrawingSurface& surface, const DialRoot& root, int hour, double rawAngleDeg);
// The Roman numeral of a clock hour 6..18, top left corner at (nx, ny), strokes 150 high.
void DrawHourNumeral(DrawingSurface& surface, int hour, double nx, double ny);
// The gnomon's foot line, line width 3, then back to 1.
void DrawFootLine(DrawingSurface& surface, const DialRoot& root, const DialGeometry& dial);

}  // namespace sundial
