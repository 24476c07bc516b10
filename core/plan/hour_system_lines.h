// The Italian, Babylonian and temporal hour lines on the plate, each family
// in a style of its own and numbered with its hours, drawn only between the
// solstices' lines and where the sun lights the face, with a legend row that
// says how the family counts.
#pragma once

#include "core/plan/extra_lines.h"

namespace sundial::plan {

// Adds to `out` the families `in.options.extras` asks for: Italian and
// Babylonian hours as straight lines from end to end of their lit stretch,
// temporal hours as paths; their numerals placed by `placer`.
void AddHourSystemLines(const ExtraLinesInput& in, LabelPlacer& placer, ExtraLines& out);

}  // namespace sundial::plan
