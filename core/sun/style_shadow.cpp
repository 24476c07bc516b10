#include "core/sun/style_shadow.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "core/dial/dial_drawing.h"
#include "core/dial/geometry.h"
#include "core/site/number_text.h"

namespace sundial {

namespace {

struct Vec {
    double x, y, z;  // east, north, up
};

double Dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

constexpr double kRad = 3.14159265358979323846 / 180.0;

}  // namespace

StyleShadow StyleShadowFor(double latitudeDeg, double wallBearingDeg, double sunAzimuthDeg,
                           double sunAltitudeDeg) {
    StyleShadow shadow;
    if (sunAltitudeDeg <= 0) return shadow;
    const double az = sunAzimuthDeg * kRad;
    const double alt = sunAltitudeDeg * kRad;
    const double b = wallBearingDeg * kRad;
    const double phi = latitudeDeg * kRad;
    const Vec sun{std::sin(az) * std::cos(alt), std::cos(az) * std::cos(alt), std::sin(alt)};
    const Vec out{std::sin(b), std::cos(b), 0};  // the wall's face looks this way
    const double sunOnFace = Dot(sun, out);
    // A sun in the wall's own plane only grazes it (to rounding in the sines).
    if (sunOnFace <= 1e-12) {
        shadow.state = ShadowState::WallInShade;
        return shadow;
    }
    // The style runs from the root out of the wall along the Earth's axis:
    // towards the south pole's side for a wall facing south in the north.
    Vec style{0, std::cos(phi), std::sin(phi)};
    double styleOut = Dot(style, out);
    if (std::fabs(styleOut) < 1e-9) {
        shadow.state = ShadowState::NoRoot;
        return shadow;
    }
    if (styleOut < 0) {
        style = {-style.x, -style.y, -style.z};
        styleOut = -styleOut;
    }
    // A point of the style, followed along the sunlight back to the wall.
    const double k = styleOut / sunOnFace;
    const Vec onWall{style.x - k * sun.x, style.y - k * sun.y, style.z - k * sun.z};
    // Someone facing the wall looks along -out; their left is the wall's own
    // direction turned a quarter turn clockwise, seen from above.
    const Vec left{std::cos(b), -std::sin(b), 0};
    shadow.state = ShadowState::OnWall;
    shadow.angleDeg = std::atan2(Dot(onWall, left), -onWall.z) / kRad;
    return shadow;
}

ShadowAtResult ShadowAt(const SiteState& site, const ClockTime& clock, double utcOffsetHours) {
    ShadowAtResult result;
    double bearing = 0;
    if (!ParseBearing(site.WallBearing, bearing)) {
        result.error = "the wall's bearing is not a number.";
        return result;
    }
    const SolarResult sun = SunAt(site.Latitude, site.Longitude, clock, utcOffsetHours);
    if (!sun.position) {
        result.error = sun.error;
        return result;
    }
    result.sun = *sun.position;
    result.shadow = StyleShadowFor(site.Latitude, bearing, result.sun.azimuthDeg,
                                   result.sun.apparentAltitudeDeg);
    switch (result.shadow.state) {
        case ShadowState::SunDown:
            result.message = "The sun is below the horizon then (altitude " +
                             FixedText(result.sun.apparentAltitudeDeg, 2) + " degrees).";
            break;
        case ShadowState::WallInShade:
            result.message = "The wall is in shade then: the sun, at azimuth " +
                             FixedText(result.sun.azimuthDeg, 2) + " degrees, is behind it.";
            break;
        case ShadowState::NoRoot:
            result.message = "A wall facing due east or west has no root for the style's shadow.";
            break;
        case ShadowState::OnWall:
            break;
    }
    return result;
}

void DrawShadowLine(DrawingSurface& surface, double angleDeg) {
    if (!DialFits(surface)) return;
    const DialRoot root{surface.Width() / 2, 200};
    const HourLineEnd end = HourLineEndFor(surface, root, angleDeg);
    surface.SetColour(kShadowNowColour);
    surface.SetLineWidth(2);
    surface.Line(root.x0, root.y0, end.x, end.y);
    surface.SetLineWidth(1);
    surface.SetColour(std::nullopt);
}

ShadowAtResult DrawShadowNow(DrawingSurface& surface, const SiteState& site, const ClockTime& utc) {
    ShadowAtResult now = ShadowAt(site, utc, 0);
    if (now.error.empty() && now.shadow.state == ShadowState::OnWall) {
        DrawShadowLine(surface, now.shadow.angleDeg);
    } else {
        // No line: the drawing says why, so that nothing drawn is not taken
        // for a fault.
        std::string why = now.error.empty() ? now.message : now.error;
        if (!why.empty())
            why[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(why[0])));
        surface.PrintLine({{"No shadow now: " + why}});
    }
    return now;
}

}  // namespace sundial
