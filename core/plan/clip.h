// Plane geometry on the drawing (millimetres, y down): clipping paths to a
// rectangle, and the tests the layout uses to keep things apart.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "core/plan/drawing.h"

namespace sundial::plan {

// The part of segment a-b inside `r`, or nothing.
std::optional<std::pair<Point, Point>> ClipSegment(Point a, Point b, const Rect& r);

// The runs of an open path that lie inside `r`, each at least two points.
std::vector<std::vector<Point>> ClipPolyline(const std::vector<Point>& path, const Rect& r);

// A closed polygon cut to `r` (empty when nothing is inside).
std::vector<Point> ClipPolygon(const std::vector<Point>& polygon, const Rect& r);

// The distance along the unit direction `dir` at which a ray from `origin`
// (inside or on `r`) leaves `r`.
double RayExit(Point origin, Point dir, const Rect& r);

// Whether two rectangles come closer than `gap` to each other.
bool Overlaps(const Rect& a, const Rect& b, double gap = 0);

// Whether segment a-b touches `r`.
bool SegmentTouches(Point a, Point b, const Rect& r);

double Distance(Point a, Point b);

// How far `p` lies from the line through `a` and `b` (from `a` when they
// are one point): how far the chord a-b misses a curve through p.
double ChordDeviation(Point p, Point a, Point b);

// The polyline with the points left out that lie within `toleranceMm` of the
// chord between those kept either side (Douglas and Peucker's rule): the ends
// and every corner that stands out further stay.
std::vector<Point> Simplified(const std::vector<Point>& path, double toleranceMm);

// The smallest rectangle holding every point (of every element) given.
Rect Bounds(const std::vector<Point>& points);

}  // namespace sundial::plan
