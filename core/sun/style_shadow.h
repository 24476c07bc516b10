// Where the style's shadow falls on the wall at an instant: the style is a
// line through the dial's root parallel to the Earth's axis, so its shadow is
// a line through the root too.
//
// Shadow angles are measured as the hour lines' are (RawShadowAngle): degrees
// from the downward vertical through the root, positive leaning LEFT of it as
// one faces the wall.
#pragma once

#include <string>

#include "core/dial/drawing_surface.h"
#include "core/site/site_state.h"
#include "core/sun/clock_time.h"
#include "core/sun/solar_position.h"

namespace sundial {

enum class ShadowState {
    OnWall,       // the sun is up and in front of the wall: the angle holds
    WallInShade,  // the sun is up but behind the wall's plane
    SunDown,      // the sun is below the horizon
    NoRoot,       // the style lies in the wall's plane: a wall facing due east or west
};

struct StyleShadow {
    ShadowState state = ShadowState::SunDown;
    double angleDeg = 0;  // for OnWall: -90 < angle < 90
};

// The shadow on a vertical wall facing `wallBearingDeg` at latitude
// `latitudeDeg`, for a sun at `sunAzimuthDeg` and `sunAltitudeDeg`.
StyleShadow StyleShadowFor(double latitudeDeg, double wallBearingDeg, double sunAzimuthDeg,
                           double sunAltitudeDeg);

struct ShadowAtResult {
    StyleShadow shadow;
    SolarPosition sun;
    std::string error;    // the instant or the site could not be computed
    std::string message;  // for WallInShade and SunDown: a sentence for the user
};

// The shadow on the site's wall (its latitude, longitude and bearing) at
// clock time `clock` in the zone UTC + `utcOffsetHours`, for the sun where the
// eye sees it: refraction lifts it, and the real shadow with it.
ShadowAtResult ShadowAt(const SiteState& site, const ClockTime& clock, double utcOffsetHours);

// The colour of the shadow line on the "Sundial Drawing" window.
inline constexpr Rgb kShadowNowColour{220, 60, 0};

// Draws the shadow as a line from the dial's root in the "Sundial Drawing"
// window's coordinates, ending where an hour line at the same angle would
// (twips, origin top left, y down), in kShadowNowColour at line width 2;
// leaves width 1 and the foreground colour behind. Nothing is drawn on a
// window too small for the dial.
void DrawShadowLine(DrawingSurface& surface, double angleDeg);

// The shadow now on the site's wall, drawn over the dial when the wall is lit;
// otherwise a printed line says why there is none ("No shadow now: the sun is
// below the horizon then ...").
// `utc` is the computer's clock in UTC; the site's own zone does not change
// where the shadow falls. Returns what was found.
ShadowAtResult DrawShadowNow(DrawingSurface& surface, const SiteState& site, const ClockTime& utc);

}  // namespace sundial
