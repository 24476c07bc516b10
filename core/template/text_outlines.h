// Numerals and labels as outlines, for engraving: the glyphs' contours of a
// font the package depends on (DejaVu Sans, through FreeType), flattened to
// closed paths and fitted, as the SVG fits its text, to the width the layout
// measured. Drawing millimetres, y down.
#pragma once

#include <filesystem>
#include <vector>

#include "core/font/text_fonts.h"
#include "core/plan/drawing.h"

namespace sundial::tmpl {

// The text face's own files, so that the outlines are the glyphs the layout measured.
inline constexpr const char* kOutlineFont = font::kTextFontFile;
inline constexpr const char* kOutlineBoldFont = font::kTextBoldFontFile;

// The closed contours of a Text element's glyphs. Throws TemplateWriteError
// naming the font when it cannot be read.
std::vector<std::vector<plan::Point>> TextOutlines(const plan::Element& text);

}  // namespace sundial::tmpl
