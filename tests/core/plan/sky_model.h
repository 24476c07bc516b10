// The tests' own picture of the wall, the style and the sun, written apart
// from the code under test: the wall as a plane through the root, the style
// along the earth's axis, the sun from its declination and hour angle. Plate
// millimetres as the plan uses them: x right as one faces the wall, y down.
#pragma once

#include <cmath>

#include "core/plan/drawing.h"
#include "core/site/site_state.h"

namespace sundial::testing {

struct V {
    double e = 0, n = 0, u = 0;  // east, north, up
    V operator+(V o) const { return {e + o.e, n + o.n, u + o.u}; }
    V operator-(V o) const { return {e - o.e, n - o.n, u - o.u}; }
    V operator*(double k) const { return {e * k, n * k, u * k}; }
    double dot(V o) const { return e * o.e + n * o.n + u * o.u; }
    V cross(V o) const { return {n * o.u - u * o.n, u * o.e - e * o.u, e * o.n - n * o.e}; }
    double norm() const { return std::sqrt(dot(*this)); }
};

inline double Rad(double deg) {
    return deg * M_PI / 180;
}
inline double Deg(double rad) {
    return rad * 180 / M_PI;
}

struct Sky {
    explicit Sky(const SiteState& site) : lat(site.Latitude) {
        const double d = site.WallDeclination;
        const double b = site.DeclinationSide == "West"   ? 180 + d
                         : site.DeclinationSide == "East" ? 180 - d
                                                          : 180;
        out = {std::sin(Rad(b)), std::cos(Rad(b)), 0};
        // As one faces the wall (looking along -out), right is east for a
        // south wall.
        right = {-out.n, out.e, 0};
        pole = {0, std::cos(Rad(lat)), std::sin(Rad(lat))};
        lonWest = site.Longitude;
        zone = site.UtcOffset;
    }

    // The sun's hour angle at a clock time in the zone.
    double HourAngle(double clock, double eotMin = 0) const {
        return (clock - zone - 12) * 15 - lonWest + eotMin / 4;
    }
    // Toward the sun: rotate the celestial-equator vector about the pole.
    V Sun(double decDeg, double hourDeg) const {
        const double d = Rad(decDeg), h = Rad(hourDeg), p = Rad(lat);
        // Meridian unit vectors: toward the equator's highest point, and west.
        const V equatorTop{0, -std::sin(p), std::cos(p)};
        const V west{-1, 0, 0};
        return pole * std::sin(d) + (equatorTop * std::cos(h) + west * std::sin(h)) * std::cos(d);
    }
    // The sun as seen from the site for `fromCentre`, its direction from the
    // earth's centre: the site a round earth's radius (6371 km) up from the
    // centre, the sun an astronomical unit away.
    V FromSite(V fromCentre) const {
        constexpr double kRadiiPerAu = 149597870.7 / 6371.0;
        const V t = fromCentre * kRadiiPerAu - V{0, 0, 1};
        return t * (1 / t.norm());
    }
    plan::Point ToPlate(V p) const { return {p.dot(right), -p.u}; }
    V FromPlate(plan::Point p) const { return right * p.x + V{0, 0, -p.y}; }

    // Where the shadow of `p` (relative to the root) falls on the wall.
    plan::Point ShadowOf(V p, V sun) const {
        const double t = p.dot(out) / sun.dot(out);
        return ToPlate(p - sun * t);
    }
    V Nodus(double mm) const { return pole * -mm; }

    // Angle from the downward vertical, positive leaning left, of the line
    // the style's shadow lies on (modulo 180 degrees), for any sun.
    double StyleShadowLineDeg(V sun) const {
        const V along = out.cross((pole * -1).cross(sun));
        const plan::Point d = ToPlate(along);
        return Deg(std::atan2(-d.x, d.y));
    }

    double lat;
    V out, right, pole;
    double lonWest, zone;
};

// The difference of two line angles, folded to -90..90 (a line at a and at
// a + 180 is the same line).
inline double LineAngleDiff(double a, double b) {
    double d = std::fmod(a - b, 180.0);
    if (d > 90) d -= 180;
    if (d < -90) d += 180;
    return d;
}

}  // namespace sundial::testing
