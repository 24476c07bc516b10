// The plane a field command works on: --dial and --recline as the template
// reads them, with the site's --bearing, so that a shadow or a north line is
// found on the very plate the template draws.
#pragma once

#include <string>

#include "cli/option_parser.h"
#include "core/engine/plane.h"
#include "core/site/site_state.h"
#include "core/template/template_options.h"

namespace sundial {

struct FieldPlane {
    tmpl::DialType type = tmpl::DialType::Vertical;
    engine::Plane plane;
    // What the face is called in messages: "wall" for an upright wall,
    // "dial's face" for every other plane.
    std::string face = "wall";
};

void AddPlaneOptions(OptionParser& parser);

// Throws BadInput: an unknown --dial, --recline out of range or without a
// vertical dial, --bearing with a polar or equatorial dial.
FieldPlane ReadFieldPlane(const OptionParser& parser, const SiteState& site);

}  // namespace sundial
