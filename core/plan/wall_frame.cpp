#include "core/plan/wall_frame.h"

#include <cmath>

#include "core/dial/geometry.h"

namespace sundial::plan {

namespace {

Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Degrees clockwise from north the wall faces, from how the run reads it.
double BearingOf(const SiteState& site) {
    const double d = site.WallDeclination;
    if (site.DeclinationSide == "West") return 180.0 + d;
    if (site.DeclinationSide == "East") return 180.0 - d;
    return 180.0;
}

}  // namespace

double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

WallFrame::WallFrame(const SiteState& site)
    : latitudeDeg_(site.Latitude),
      longitudeWestDeg_(site.Longitude),
      utcOffsetHours_(site.UtcOffset) {
    const double bearingRad = DegToRad(BearingOf(site));
    normal_ = {std::sin(bearingRad), std::cos(bearingRad), 0};
    up_ = {0, 0, 1};
    right_ = Cross({-normal_.x, -normal_.y, 0}, up_);
    const double phi = DegToRad(latitudeDeg_);
    style_ = {0, -std::cos(phi), -std::sin(phi)};
}

double WallFrame::HourAngleAt(double clockHours, double equationOfTimeMin) const {
    return (clockHours - utcOffsetHours_ - 12.0) * 15.0 - longitudeWestDeg_ +
           equationOfTimeMin / 4.0;
}

Vec3 WallFrame::SunDirection(double declinationDeg, double hourAngleDeg) const {
    const double phi = DegToRad(latitudeDeg_);
    const double d = DegToRad(declinationDeg);
    const double h = DegToRad(hourAngleDeg);
    return {-std::cos(d) * std::sin(h),
            std::sin(d) * std::cos(phi) - std::cos(d) * std::cos(h) * std::sin(phi),
            std::sin(d) * std::sin(phi) + std::cos(d) * std::cos(h) * std::cos(phi)};
}

bool WallFrame::Lights(Vec3 sun) const {
    return sun.z > 0 && Dot(sun, normal_) > 0;
}

std::optional<Point> WallFrame::Shadow(Vec3 p, Vec3 sun) const {
    if (!Lights(sun)) return std::nullopt;
    const double t = Dot(p, normal_) / Dot(sun, normal_);
    const Vec3 onWall{p.x - t * sun.x, p.y - t * sun.y, p.z - t * sun.z};
    return Point{Dot(onWall, right_), -Dot(onWall, up_)};
}

Vec3 WallFrame::Nodus(double distanceMm) const {
    return {style_.x * distanceMm, style_.y * distanceMm, style_.z * distanceMm};
}

double ApproximateDeclination(int month, int day) {
    static constexpr int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    // 2026 sits midway between leap years, so its dates are the mean of the
    // four-year cycle's to a few hundredths of a degree. Days from J2000.0
    // (2000-01-01 12:00 UT) to 2026-01-01 12:00 UT: 26 years and 7 leap days.
    const double n = 26 * 365 + 7 + kDaysBefore[(month - 1) % 12] + (day - 1);
    const double meanLongitude = 280.460 + 0.9856474 * n;
    const double meanAnomaly = DegToRad(357.528 + 0.9856003 * n);
    const double eclipticLongitude =
        DegToRad(meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2 * meanAnomaly));
    const double obliquity = DegToRad(23.439 - 0.0000004 * n);
    return RadToDeg(std::asin(std::sin(obliquity) * std::sin(eclipticLongitude)));
}

}  // namespace sundial::plan
