// Where the style's shadow falls on a dial face of any plane at an instant:
// a vertical or reclining wall, a level plate, a polar or equatorial face.
// Planes and plate positions are the template's (core/engine/plane.h).
//
// Angles on the face are degrees from the plate's down line through the root
// (towards its bottom edge; on a wall, straight down), positive towards its
// right edge as one faces the dial: the command line's hour-line angles.
#pragma once

#include <optional>
#include <string>

#include "core/engine/plane.h"
#include "core/site/site_state.h"
#include "core/sun/clock_time.h"
#include "core/sun/solar_position.h"
#include "core/sun/style_shadow.h"

namespace sundial {

struct PlaneShadow {
    // OnWall: the sun lights the face; WallInShade: it is behind the face's
    // plane; SunDown. NoRoot is never given: a style parallel to the face
    // casts its shadow by `offsetPerHeight` instead.
    ShadowState state = ShadowState::SunDown;
    double angleDeg = 0;  // with a root: -180 < angle <= 180
    // The style parallel to the face (polar dials, walls facing due east or
    // west): the shadow runs parallel to the substyle, this many millimetres
    // from it for each millimetre of the style's height above the face,
    // positive to the right (for a level substyle, downwards).
    std::optional<double> offsetPerHeight;
};

// The shadow at latitude `latitudeDeg` on `plane`, for a sun at azimuth
// `sunAzimuthDeg` (true, clockwise from north) and altitude `sunAltitudeDeg`.
PlaneShadow StyleShadowOn(double latitudeDeg, const engine::Plane& plane, double sunAzimuthDeg,
                          double sunAltitudeDeg);

struct PlaneShadowAt {
    PlaneShadow shadow;
    SolarPosition sun;
    std::string error;    // the instant could not be computed
    std::string message;  // for WallInShade and SunDown: a sentence for the user
};

// The shadow on `plane` at the site, at clock time `clock` in the zone UTC +
// `utcOffsetHours`, for the sun where the eye sees it (refraction lifts it,
// and the real shadow with it). `face` names the face in messages: "wall"
// or "dial's face".
PlaneShadowAt ShadowOnPlaneAt(const SiteState& site, const engine::Plane& plane,
                              const std::string& face, const ClockTime& clock,
                              double utcOffsetHours);

}  // namespace sundial
