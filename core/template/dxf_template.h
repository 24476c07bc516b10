// The plan as DXF for cutters and CAD programs: one drawing unit is one
// millimetre ($INSUNITS 4), y up as CAD programs draw, laid out as the SVG is
// (the gnomon's plate to the right of the dial, kGnomonGapMm apart, the
// setting-out text under it) but turned upright: a point (x, y) of the SVG is
// (x, H - y) in the DXF, H the sheet's height. One layer per role, named as the SVG's groups; lines
// are LINE, paths LWPOLYLINE (polygons closed), circles CIRCLE, numerals and labels TEXT whose
// height is the capitals' height in millimetres.
#pragma once

#include <filesystem>
#include <string>

#include "core/plan/plan.h"

namespace sundial::tmpl {

// How numerals and labels are written: as TEXT, or as their glyphs' closed
// outlines (LWPOLYLINE on the text's layer) for engraving.
enum class DxfLettering { Text, Outlines };

// Throws TemplateWriteError when outlines are asked for and their font
// cannot be read.
std::string PlanDxf(const plan::Plan& plan, DxfLettering lettering = DxfLettering::Text);

// Writes the DXF to `file` in one step (the old file stays whole until the
// new one is); throws TemplateWriteError.
void WritePlanDxf(const plan::Plan& plan, const std::filesystem::path& file,
                  DxfLettering lettering = DxfLettering::Text);

// UTF-8 text as a DXF 2000 TEXT value holds it, in the drawing's code page
// (Windows-1252, $DWGCODEPAGE ANSI_1252): a character the code page lacks as
// \U+XXXX, one beyond the basic plane, control characters and broken
// sequences as "?", so that a text can never end its own record; "%" and
// "^", which start the TEXT value's own codes, escaped so that they read
// literally.
std::string DxfText(std::string_view utf8);

}  // namespace sundial::tmpl
