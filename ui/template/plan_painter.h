// Paints a plan's drawing with QPainter, scaled to fit a rectangle: the
// desktop's preview of what the SVG and the PDF will hold.
#pragma once

#include <QRectF>

#include "core/plan/drawing.h"

class QPainter;

namespace sundial {

// Draws `drawing` centred in `target` at the largest scale that fits, lines
// at least a pixel wide. Texts keep the width the layout measured for them.
// Returns the scale used (pixels per mm).
double PaintDrawing(QPainter& painter, const plan::Drawing& drawing, const QRectF& target);

}  // namespace sundial
