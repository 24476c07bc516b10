#include "core/engine/dial.h"

#include <cmath>

namespace sundial::engine {

namespace {

// Below this |style . normal| the style counts as parallel to the plane: the
// root would lie more than a billion nodus heights away.
constexpr double kParallelCos = 1e-9;
// A lit range narrower than this (degrees) is a grazing touch, not light.
constexpr double kShortestLitDeg = 1e-9;

// Unit vector along the earth's axis toward the pole in front of the face.
Vec3 StyleFor(const Site& site, const PlateFrame& frame) {
    const Vec3 north = NorthPole(site);
    const double c = Dot(north, frame.normal);
    if (std::fabs(c) < kParallelCos) return site.latitudeDeg >= 0 ? north : -1.0 * north;
    return c > 0 ? north : -1.0 * north;
}

PlatePoint UnitOnPlate(const PlateFrame& frame, Vec3 v) {
    const PlatePoint p = frame.OnPlate(v);
    const double len = std::hypot(p.x, p.y);
    return {p.x / len, p.y / len};
}

// The range within [low, high] (inside -90..90) where a cos d + b sin d > 0.
// Its zeros lie 180 degrees apart, so at most one falls inside.
std::optional<DeclinationRange> Positive(double a, double b, double low, double high) {
    const auto f = [&](double d) { return a * std::cos(Rad(d)) + b * std::sin(Rad(d)); };
    if (b != 0) {
        const double zero = Deg(std::atan(-a / b));
        if (zero > low && zero < high) {
            return f(low) > 0 ? DeclinationRange{low, zero} : DeclinationRange{zero, high};
        }
    }
    if (f((low + high) / 2) > 0) return DeclinationRange{low, high};
    return std::nullopt;
}

}  // namespace

std::optional<Gnomon> GnomonFromRoot(const Site& site, const Plane& plane, PlatePoint root,
                                     double distanceMm) {
    const PlateFrame frame(plane);
    const Vec3 style = StyleFor(site, frame);
    const double out = Dot(style, frame.normal);
    if (out < kParallelCos) return std::nullopt;
    const PlatePoint along = frame.OnPlate(style);
    return Gnomon{{root.x + distanceMm * along.x, root.y + distanceMm * along.y}, distanceMm * out};
}

Dial::Dial(const Site& site, const Plane& plane, const Gnomon& gnomon)
    : site_(site),
      siteFrame_(site),
      plane_(plane),
      frame_(plane),
      gnomon_(gnomon),
      style_(StyleFor(site, frame_)) {}

bool Dial::StyleParallel() const {
    return Dot(style_, frame_.normal) < kParallelCos;
}

std::optional<PlatePoint> Dial::Root() const {
    if (StyleParallel()) return std::nullopt;
    const double t = gnomon_.heightMm / Dot(style_, frame_.normal);
    const PlatePoint along = frame_.OnPlate(style_);
    return PlatePoint{gnomon_.foot.x - t * along.x, gnomon_.foot.y - t * along.y};
}

std::optional<double> Dial::NodusDistanceMm() const {
    if (StyleParallel()) return std::nullopt;
    return gnomon_.heightMm / Dot(style_, frame_.normal);
}

double Dial::StyleHeightDeg() const {
    // atan2 keeps its digits near 90 degrees, where asin loses half of them.
    const double out = Dot(style_, frame_.normal);
    return Deg(std::atan2(std::fabs(out), Length(style_ - out * frame_.normal)));
}

PlatePoint Dial::SubstyleDirection() const {
    // Square to the plate the style has no foot-print: any direction serves.
    if (StyleHeightDeg() > 90 - 1e-9) return {0, 1};
    return UnitOnPlate(frame_, style_);
}

bool Dial::Lights(Vec3 sun) const {
    return sun.z > 0 && Dot(sun, frame_.normal) > 0;
}

std::optional<PlatePoint> Dial::Shadow(Vec3 sun) const {
    if (!Lights(sun)) return std::nullopt;
    const double t = gnomon_.heightMm / Dot(sun, frame_.normal);
    const PlatePoint along = frame_.OnPlate(sun);
    return PlatePoint{gnomon_.foot.x - t * along.x, gnomon_.foot.y - t * along.y};
}

std::optional<PlatePoint> Dial::Shadow(double declinationDeg, double hourAngleDeg) const {
    return Shadow(SunDirection(siteFrame_, SunDay(declinationDeg), hourAngleDeg));
}

std::optional<PlatePoint> Dial::SiteShadow(double declinationDeg, double hourAngleDeg,
                                           double distanceAu) const {
    return SiteShadow(SunDay(declinationDeg), hourAngleDeg, distanceAu);
}

std::optional<PlatePoint> Dial::SiteShadow(const SunDay& day, double hourAngleDeg,
                                           double distanceAu) const {
    const Vec3 fromCentre = SunDirection(siteFrame_, day, hourAngleDeg);
    // Seen from the site, up off the earth's centre, the sun stands lower
    // than seen from the centre: one below the horizon there lights nothing,
    // and the night's many hours are passed over at once.
    if (fromCentre.z <= 0) return std::nullopt;
    return Shadow(SunSeenFromSite(siteFrame_, fromCentre, distanceAu));
}

std::optional<HourLineGeometry> Dial::HourLine(double hourAngleDeg) const {
    // The sun's direction at the equinox, square to the axis; on other days
    // the sun adds a part along the axis, which moves the shadow along the
    // line but never off it.
    const Vec3 equinox = SunDirection(siteFrame_, SunDay(0), hourAngleDeg);
    const Vec3 n = frame_.normal;
    if (StyleParallel()) {
        // The line through where the nodus's shadow falls at the equinox (on
        // the plane, also when the sun is then below the horizon).
        if (Dot(equinox, n) < kParallelCos) return std::nullopt;
        const double t = gnomon_.heightMm / Dot(equinox, n);
        const PlatePoint along = frame_.OnPlate(equinox);
        return HourLineGeometry{{gnomon_.foot.x - t * along.x, gnomon_.foot.y - t * along.y},
                                UnitOnPlate(frame_, style_),
                                true};
    }
    // The style's shadow runs from the root along (u.n) s - (s.n) u, u the sun;
    // for any declination that is this vector times cos d.
    const Vec3 along = Dot(equinox, n) * style_ - Dot(style_, n) * equinox;
    return HourLineGeometry{*Root(), UnitOnPlate(frame_, along), false};
}

std::optional<DeclinationRange> Dial::LitDeclinations(double hourAngleDeg, double limitDeg) const {
    // The sun is cos d E + sin d P (E its equinox direction, P the north
    // pole), so height and light on the face are each a cos d + b sin d.
    const Vec3 e = SunDirection(siteFrame_, SunDay(0), hourAngleDeg);
    const Vec3 p = NorthPole(site_);
    const auto above = Positive(e.z, p.z, -limitDeg, limitDeg);
    if (!above) return std::nullopt;
    const Vec3 n = frame_.normal;
    const auto front = Positive(Dot(e, n), Dot(p, n), above->lowDeg, above->highDeg);
    if (!front || front->highDeg - front->lowDeg < kShortestLitDeg) return std::nullopt;
    return front;
}

}  // namespace sundial::engine
