// The wall, the gnomon and the sun as vectors, for the shadows the hour-line
// angles alone cannot give: a nodus's shadow on a given day.
//
// Space: x east, y north, z up, in millimetres, with the gnomon's root at the
// origin. On the plate: x to the right as one faces the wall, y down.
#pragma once

#include <optional>

#include "core/plan/drawing.h"
#include "core/site/site_state.h"

namespace sundial::plan {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

double Dot(Vec3 a, Vec3 b);

class WallFrame {
  public:
    // The wall's bearing from the site's declination and side, as the run
    // takes them; latitude and longitude as stored.
    explicit WallFrame(const SiteState& site);

    // Unit vectors: out of the wall, to the right along it as one faces it, up.
    Vec3 Normal() const { return normal_; }
    Vec3 Right() const { return right_; }
    Vec3 Up() const { return up_; }
    // Unit vector along the style from the root outward (toward the south
    // celestial pole, parallel to the earth's axis).
    Vec3 Style() const { return style_; }

    // The sun's hour angle (degrees, positive after local noon) at a clock
    // time in the site's zone, hours, with the same longitude correction as
    // the hour lines; `equationOfTimeMin` is how many minutes the sun runs
    // ahead of mean time that day (0 for the hour lines themselves).
    double HourAngleAt(double clockHours, double equationOfTimeMin = 0) const;

    // Unit vector toward the sun.
    Vec3 SunDirection(double declinationDeg, double hourAngleDeg) const;

    // The sun is above the horizon and in front of the wall.
    bool Lights(Vec3 sun) const;

    // The point on the wall where the shadow of `p` (mm from the root, in
    // front of the wall) falls, as a plate offset from the root; nothing when
    // the sun does not light the wall.
    std::optional<Point> Shadow(Vec3 p, Vec3 sun) const;

    // The point `distanceMm` along the style from the root.
    Vec3 Nodus(double distanceMm) const;

  private:
    double latitudeDeg_;
    double longitudeWestDeg_;
    double utcOffsetHours_;
    Vec3 normal_, right_, up_, style_;
};

// The sun's declination (degrees) on a day of the year at noon UT, from a
// low-precision solar formula (within about 0.05 degrees; the date lines of
// the first of the month are drawn with it). Month 1..12, day 1..31.
double ApproximateDeclination(int month, int day);

}  // namespace sundial::plan
