#include "core/sun/plane_shadow.h"

#include <charconv>
#include <cmath>

#include "core/engine/site.h"
#include "core/site/number_text.h"

namespace sundial {

namespace {

using engine::Vec3;

// Below this |style . normal| the style lies in the face: as the dial's own test.
constexpr double kParallelCos = 1e-9;

}  // namespace

PlaneShadow StyleShadowOn(double latitudeDeg, const engine::Plane& plane, double sunAzimuthDeg,
                          double sunAltitudeDeg) {
    PlaneShadow shadow;
    if (sunAltitudeDeg <= 0) return shadow;
    const double az = engine::Rad(sunAzimuthDeg), alt = engine::Rad(sunAltitudeDeg);
    const Vec3 sun{std::sin(az) * std::cos(alt), std::cos(az) * std::cos(alt), std::sin(alt)};
    const engine::PlateFrame frame(plane);
    const double sunOnFace = Dot(sun, frame.normal);
    // A sun in the face's own plane only grazes it (to rounding in the sines).
    if (sunOnFace <= 1e-12) {
        shadow.state = ShadowState::WallInShade;
        return shadow;
    }
    shadow.state = ShadowState::OnWall;
    const Vec3 north = engine::NorthPole(engine::Site{latitudeDeg, 0, 0});
    const double styleOut = Dot(north, frame.normal);
    if (std::fabs(styleOut) < kParallelCos) {
        // The style at unit height: its shadow stands off the substyle by
        // the sun's slant across the face, square to the substyle.
        engine::PlatePoint along = frame.OnPlate(north);
        const double length = std::hypot(along.x, along.y);
        along = {along.x / length, along.y / length};
        if (along.y > 0 || (along.y == 0 && along.x < 0)) along = {-along.x, -along.y};
        const engine::PlatePoint side{-along.y, along.x};
        const engine::PlatePoint slant = frame.OnPlate(sun);
        shadow.offsetPerHeight = -(slant.x * side.x + slant.y * side.y) / sunOnFace;
        return shadow;
    }
    // A point of the style out of the face, followed along the sunlight back
    // to it: the shadow's direction from the root.
    const Vec3 style = styleOut > 0 ? north : -1.0 * north;
    const Vec3 onFace = style - (std::fabs(styleOut) / sunOnFace) * sun;
    const engine::PlatePoint p = frame.OnPlate(onFace);
    shadow.angleDeg = engine::Deg(std::atan2(p.x, p.y));
    if (shadow.angleDeg == -180.0) shadow.angleDeg = 180.0;
    return shadow;
}

PlaneShadowAt ShadowOnPlaneAt(const SiteState& site, const engine::Plane& plane,
                              const std::string& face, const ClockTime& clock,
                              double utcOffsetHours) {
    PlaneShadowAt result;
    const SolarResult sun = SunAt(site.Latitude, site.Longitude, clock, utcOffsetHours);
    if (!sun.position) {
        result.error = sun.error;
        return result;
    }
    result.sun = *sun.position;
    result.shadow =
        StyleShadowOn(site.Latitude, plane, result.sun.azimuthDeg, result.sun.apparentAltitudeDeg);
    if (result.shadow.state == ShadowState::SunDown) {
        result.message = "The sun is below the horizon then (altitude " +
                         FixedText(result.sun.apparentAltitudeDeg, 2) + " degrees).";
    } else if (result.shadow.state == ShadowState::WallInShade) {
        result.message = "The " + face + " is in shade then: the sun, at azimuth " +
                         FixedText(result.sun.azimuthDeg, 2) + " degrees, is behind it.";
    }
    return result;
}

}  // namespace sundial
