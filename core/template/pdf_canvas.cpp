#include "core/template/pdf_canvas.h"

#include <algorithm>
#include <cmath>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"

namespace sundial::tmpl {

namespace {

constexpr int kCircleSegments = 48;
// A drawing shown smaller (an overview) leaves out the points its lines bend
// at by less than this on the page, half a printer's dot.
constexpr double kShrunkToleranceMm = 0.01;

}  // namespace

std::int32_t WriterColour(std::uint32_t rgb) {
    return static_cast<std::int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

namespace {

std::vector<Point> CirclePoints(Point c, double r) {
    std::vector<Point> points;
    for (int i = 0; i < kCircleSegments; ++i) {
        const double a = 2 * 3.14159265358979 * i / kCircleSegments;
        points.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return points;
}

std::vector<Point> Placed(const std::vector<Point>& points, const Placement& place) {
    std::vector<Point> out;
    out.reserve(points.size());
    for (const Point& p : points) out.push_back(place(p));
    return out;
}

std::vector<Point> PlacedLine(const std::vector<Point>& points, const Placement& place) {
    std::vector<Point> out = Placed(points, place);
    return place.scale < 1 ? plan::Simplified(out, kShrunkToleranceMm) : out;
}

}  // namespace

void DrawElements(PageCanvas& canvas, const std::vector<Element>& elements, const Rect& clip,
                  const Placement& place, double minStrokeMm, const std::vector<Rect>* boxes) {
    for (size_t i = 0; i < elements.size(); ++i) {
        if (boxes && !plan::Overlaps((*boxes)[i], clip)) continue;
        const Element& e = elements[i];
        const double stroke = std::max(e.strokeMm * place.scale, minStrokeMm);
        switch (e.shape) {
            case Shape::Line:
            case Shape::Polyline:
                for (const auto& run : plan::ClipPolyline(e.points, clip)) {
                    canvas.Stroke(PlacedLine(run, place), false, stroke, e.colour,
                                  e.dashMm * place.scale);
                }
                break;
            case Shape::Polygon:
            case Shape::Circle: {
                const std::vector<Point> outline =
                    e.shape == Shape::Circle ? CirclePoints(e.points[0], e.radiusMm) : e.points;
                if (e.filled)
                    canvas.Fill(Placed(plan::ClipPolygon(outline, clip), place), e.colour);
                if (e.strokeMm > 0) {
                    std::vector<Point> ring = outline;
                    ring.push_back(outline.front());
                    for (const auto& run : plan::ClipPolyline(ring, clip)) {
                        canvas.Stroke(PlacedLine(run, place), false, stroke, e.colour,
                                      e.dashMm * place.scale);
                    }
                }
                break;
            }
            case Shape::Text:
                if (plan::Overlaps(plan::TextBox(e), clip)) {
                    canvas.Text(place(e.points[0]), e.text, e.textSizeMm * place.scale, e.anchor,
                                e.bold, e.colour);
                }
                break;
        }
    }
}

}  // namespace sundial::tmpl
