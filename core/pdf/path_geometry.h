// The points of the shapes the writer draws, as pure functions: no unit
// conversion and no output. Coordinates are in whatever unit the caller uses
// (the writer's ScaleMode), y up; angles in degrees, counter-clockwise.
#pragma once

#include <array>
#include <cstdint>

namespace sundial::pdf {

// Degrees to radians for drawing, held as a single: the factor text rotation
// and arcs have always used.
inline constexpr float kRadPerDeg = static_cast<float>(3.141592 / 180);

struct PathPoint {
    float x;
    float y;
};

// A move or a straight line to points[0], or a Bezier curve with control
// points points[0] and points[1] ending at points[2].
struct PathSegment {
    enum class Kind { Move, Line, Curve };
    Kind kind;
    std::array<PathPoint, 3> points;
};

// A rectangle with lower-left corner (x, y) whose corners are quarter circles
// of `radius` (at most half of either side), drawn as Bezier curves with their
// control points at 0.55 radius. Starts on the bottom edge, counter-clockwise.
std::array<PathSegment, 9> RoundedRectanglePath(float x, float y, float width, float height,
                                                float radius);

// A circle as four Bezier quarters (control points at 0.55 radius, not the
// closer 0.5523), starting at the bottom and running counter-clockwise.
std::array<PathSegment, 5> CirclePath(float x, float y, float radius);

// The matrix terms of text turned by `rotateDeg`, computed and held as singles.
struct TextRotation {
    float cos;
    float sin;
};
TextRotation TextRotationOf(float rotateDeg);

// An ellipse about the origin: horizontal semi-axis `ray`, vertical semi-axis
// `ray` × `ratio`, turned `rotateDeg` counter-clockwise.
class ArcEllipse {
  public:
    ArcEllipse(float ray, float ratio, float rotateDeg);
    // The point at parametric angle `tDeg`, computed in double precision (with
    // the single radian factor) and held as singles.
    PathPoint At(float tDeg) const;

  private:
    float ray_;
    float ratio_;
    double sinRotation_;
    double cosRotation_;
};

// How many points an arc has: one at startDeg and one every stepDeg, summed in
// single precision, while not beyond endDeg (a negative step counts down).
// Throws PdfUsageError for a step of 0, or for angles so large that adding the
// step leaves them unchanged (the arc would never end).
std::int64_t ArcPointCount(float startDeg, float endDeg, float stepDeg);

}  // namespace sundial::pdf
