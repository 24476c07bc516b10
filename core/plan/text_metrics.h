// How much room a text takes. Every renderer writes the plan's texts in Arial
// (or a face with Arial's widths), so the layout measures them with Arial's
// width table, the same one the PDF writer declares; the SVG states the width
// too, so that a viewer with another face still fits it to the same box.
#pragma once

#include <string_view>

#include "core/plan/drawing.h"

namespace sundial::plan {

// The family name renderers ask for.
inline constexpr const char* kTextFamily = "Arial";

// Of the font size: capitals and figures rise this far above the baseline,
// descenders reach this far below it.
inline constexpr double kCapHeight = 0.716;
inline constexpr double kDescent = 0.212;

// Advance width of UTF-8 `text` at `sizeMm`, in mm (characters Windows-1252
// cannot hold are measured as "?", as the PDF shows them).
double TextWidthMm(std::string_view text, double sizeMm, bool bold);

// The box a Text element's ink keeps within: from the cap height above the
// baseline to the descent below it (only when the text has a descender).
Rect TextBox(const Element& text);

// The baseline point that puts a text of `sizeMm` with its capitals centred
// on `centre`, for an element anchored in the middle.
Point CentredBaseline(Point centre, double sizeMm);

}  // namespace sundial::plan
