// How much room a text takes. Every output sets the plan's texts in the text
// face (font/text_fonts.h): the PDF embeds it, the DXF outlines are its
// glyphs, the SVG and the preview name it. The layout measures with that
// same face, so a text's box is its printed ink; the SVG states the width
// too, so that a viewer lacking the face still fits its text to the box.
#pragma once

#include <string_view>

#include "core/font/text_fonts.h"
#include "core/plan/drawing.h"

namespace sundial::plan {

// The family name renderers ask for.
inline constexpr const char* kTextFamily = font::kTextFamily;

// Of the font size: capitals and flat figures rise this far above the
// baseline (round ones overshoot it by about 1 %), and no descender of the
// face reaches further below it than this (the bar "|", its deepest). Both
// faces share them, in their 2048 units to the em.
inline constexpr double kCapHeight = 1493.0 / 2048;
inline constexpr double kDescent = 483.0 / 2048;

// Advance width of UTF-8 `text` at `sizeMm`, in mm (characters the face
// lacks are measured as the "?" the outputs show for them). Throws
// font::FontError when the face cannot be read.
double TextWidthMm(std::string_view text, double sizeMm, bool bold);

// The box a Text element's ink keeps within: from the cap height above the
// baseline to the descent below it (only when the text has a descender).
Rect TextBox(const Element& text);

// The baseline point that puts a text of `sizeMm` with its capitals centred
// on `centre`, for an element anchored in the middle.
Point CentredBaseline(Point centre, double sizeMm);

}  // namespace sundial::plan
