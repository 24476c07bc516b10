// The plan as SVG at full size: width and height in millimetres, a viewBox in
// millimetres, one group (an Inkscape layer) per role with the role's name as
// its id, every hour line a <line> with its clock hour in data-hour. The
// gnomon's plate stands to the right of the dial in a group of its own, the
// setting-out text under it in another.
#pragma once

#include <filesystem>
#include <string>

#include "core/plan/plan.h"

namespace sundial::tmpl {

// Space between the dial and the gnomon's plate, mm.
inline constexpr double kGnomonGapMm = 20;

// Where the SVG and the DXF put the plan's drawings, in SVG millimetres (y
// down): the dial at the origin, the gnomon to its right, the setting-out
// text under the gnomon.
struct SheetLayout {
    plan::Point gnomon;
    plan::Point settingOut;
    double widthMm = 0;
    double heightMm = 0;
};
SheetLayout LayOutSheet(const plan::Plan& plan);

std::string PlanSvg(const plan::Plan& plan);

// Replaces `file` with `text` in one step: a failure (a full disk) leaves the
// old file as it was and no partial one. A FIFO or a device is written
// through; a folder is refused. Throws TemplateWriteError.
void WriteTextFile(const std::filesystem::path& file, const std::string& text);

}  // namespace sundial::tmpl
