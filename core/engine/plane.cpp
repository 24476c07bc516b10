#include "core/engine/plane.h"

#include <cmath>

namespace sundial::engine {

namespace {

bool Within(double v, double low, double high) {
    return v >= low && v <= high;  // false for NaN
}

// The bearing toward the equator: south in the north, north in the south.
double EquatorBearing(const Site& site) {
    return site.latitudeDeg >= 0 ? 180.0 : 0.0;
}

}  // namespace

std::optional<std::string> CheckPlane(const Plane& plane) {
    if (!Within(plane.bearingDeg, 0, 360)) {
        return std::string("The bearing must be from 0 to 360 degrees.");
    }
    if (!Within(plane.reclineDeg, -90, 90)) {
        return std::string("The recline must be from -90 to 90 degrees.");
    }
    return std::nullopt;
}

Plane VerticalPlane(double bearingDeg) {
    return {bearingDeg, 0};
}
Plane HorizontalPlane() {
    return {180, 90};
}
Plane EastWall() {
    return {90, 0};
}
Plane WestWall() {
    return {270, 0};
}
Plane PolarPlane(const Site& site) {
    return {EquatorBearing(site), 90 - std::fabs(site.latitudeDeg)};
}
Plane EquatorialPlane(const Site& site) {
    return {180 - EquatorBearing(site), std::fabs(site.latitudeDeg)};
}

PlateFrame::PlateFrame(const Plane& plane) {
    const double b = Rad(plane.bearingDeg), r = Rad(plane.reclineDeg);
    normal = {std::sin(b) * std::cos(r), std::cos(b) * std::cos(r), std::sin(r)};
    down = {std::sin(r) * std::sin(b), std::sin(r) * std::cos(b), -std::cos(r)};
    right = Cross(normal, down);
}

Vec3 PlateFrame::At(PlatePoint p, double heightMm) const {
    return p.x * right + p.y * down + heightMm * normal;
}

PlatePoint PlateFrame::OnPlate(Vec3 v) const {
    return {Dot(v, right), Dot(v, down)};
}

}  // namespace sundial::engine
