// The Calculations report: the place and wall, the gnomon's offset and angle,
// and the table of hour-line angles, printed line by line on a surface.
#pragma once

#include <string>

#include "core/dial/drawing_surface.h"
#include "core/dial/geometry.h"
#include "core/site/site_state.h"

namespace sundial {

// Whether the offset line names a side: the offset rounded down to tenths is not 0.
bool HasVisibleOffset(const DialGeometry& dial);

// Clears the surface and prints the eight heading lines.
void PrintReportHeading(DrawingSurface& surface, const SiteState& site, const DialGeometry& dial);
// Prints one HourList row.
void PrintReportRow(DrawingSurface& surface, const HourRow& row);

// The whole report as the run prints it, print zones expanded to 14 columns.
std::string ReportText(const SiteState& site, const DialGeometry& dial);

}  // namespace sundial
