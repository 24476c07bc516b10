// An equatorial plate is read from both faces: the upper one while the sun
// is on the raised pole's side of the equator (summer), the lower one for
// the rest of the year. The lower face is drawn under the upper one's title
// strip on the same sheet, as seen from below (mirrored left to right), its
// root under the upper face's root, each face headed with which it is.
#pragma once

#include <vector>

#include "core/plan/plan.h"
#include "core/site/site_state.h"

namespace sundial::plan {

// Adds the lower face to `plan` when its plane is an equatorial plate's
// upper face (the style square to it, the face looking up); does nothing
// otherwise.
void AddWinterFace(const SiteState& site, const PlanOptions& options,
                   const std::vector<SunSample>& samples, Plan& plan);

}  // namespace sundial::plan
