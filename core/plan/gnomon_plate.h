// The gnomon's triangle to cut, full size: the edge on the wall, the style
// and the edge standing out from the wall, with the angles written on it, the
// root end marked and the nodus on the style.
#pragma once

#include <string>

#include "core/plan/drawing.h"
#include "core/plan/plan.h"

namespace sundial::plan {

// `nodusMm` 0: no nodus mark. `placeName` goes into the heading. A plate
// `thicknessMm` thick (0: thin) says so in the notes.
Drawing GnomonPlateDrawing(const GnomonSize& size, double nodusMm, const std::string& placeName,
                           double thicknessMm = 0);

}  // namespace sundial::plan
