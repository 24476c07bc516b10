// The dial's plane and the plate frame every output uses.
//
// A plane is the direction its face looks: `bearingDeg` 0..360 (true,
// clockwise from north) and `reclineDeg` -90..90 (0 a vertical wall, 90 a
// horizontal face looking up, negative an inclining face looking down). In
// the local frame (x east, y north, z up), with b the bearing and r the
// recline, the face's normal is n = (sin b cos r, cos b cos r, sin r).
//
// THE PLATE FRAME. Positions on the plate are millimetres with the origin at
// the plate's top left, x to the right and y down, as seen by a person facing
// the dial face. "Down" is the direction of steepest descent within the
// plane: d = (sin r sin b, sin r cos b, -cos r), the normalised projection of
// -up onto the plane; on a horizontal face (the limit as r goes to 90) it is
// the horizontal direction `bearing`, so a horizontal dial with bearing 180
// has north at its top. "Right" is n x d: facing a wall that looks south,
// east is on the right.
#pragma once

#include <optional>
#include <string>

#include "core/engine/site.h"
#include "core/engine/vec3.h"

namespace sundial::engine {

struct PlatePoint {
    double x = 0;  // mm, to the right
    double y = 0;  // mm, down
};

struct Plane {
    double bearingDeg = 180;
    double reclineDeg = 0;
};

// The first thing out of range, as a message for the user, or nothing.
std::optional<std::string> CheckPlane(const Plane& plane);

// Presets; each is a plane like any other.
Plane VerticalPlane(double bearingDeg);
Plane HorizontalPlane();  // bearing 180: north at the top of the plate
Plane EastWall();         // a vertical wall in the meridian, looking east
Plane WestWall();
// The plane holds the earth's axis and faces the equator (south in the north).
Plane PolarPlane(const Site& site);
// The plane is square to the earth's axis; its face looks at the raised pole.
Plane EquatorialPlane(const Site& site);

// The plane's unit vectors in the local frame.
struct PlateFrame {
    Vec3 normal;  // out of the face
    Vec3 right;   // the plate's x
    Vec3 down;    // the plate's y

    explicit PlateFrame(const Plane& plane);
    // A point `heightMm` in front of the plate point p, relative to the
    // plate's origin.
    Vec3 At(PlatePoint p, double heightMm = 0) const;
    // The plate point under a position (its part along right and down).
    PlatePoint OnPlate(Vec3 v) const;
};

}  // namespace sundial::engine
