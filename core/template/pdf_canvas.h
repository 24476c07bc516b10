// Drawing a plan's elements on a page of the program's PDF writer, in page
// millimetres as seen (origin top left, y down), whichever way the page is
// turned. Shared by the template document's pages.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/pdf/pdf_writer.h"
#include "core/plan/drawing.h"
#include "core/plan/text_metrics.h"
#include "core/template/tiling.h"

namespace sundial::tmpl {

using plan::Anchor;
using plan::Element;
using plan::Point;
using plan::Rect;
using plan::Shape;

inline constexpr const char* kRegularFont = "F1";
inline constexpr const char* kBoldFont = "F2";
inline constexpr double kPointsPerMm = 72.0 / 25.4;

// The writer's colour: red in the low byte, then green, then blue.
std::int32_t WriterColour(std::uint32_t rgb);

// Draws on one page in page millimetres as seen (y down), whichever way the
// page is turned; keeps the writer's graphics state to avoid repeating it.
class PageCanvas {
  public:
    PageCanvas(pdf::clsPdfWriter& writer, PageSetup setup)
        : w_(writer), landscape_(setup.landscape), page_(PageSizeOf(setup)) {}

    // A form's space instead of a page: `frame` millimetres, y down as on a
    // portrait page, its stored origin at the frame's bottom left.
    PageCanvas(pdf::clsPdfWriter& writer, PageSize frame)
        : w_(writer), landscape_(false), page_(frame) {}

    const PageSize& Page() const { return page_; }

    void Stroke(std::vector<Point> points, bool closed, double widthMm, std::uint32_t colour,
                double dashMm = 0) {
        if (points.size() < 2) return;
        if (closed) points.push_back(points.front());
        SetStroke(widthMm, colour, dashMm);
        Path(points, pdf::kStroke);
    }

    void Fill(const std::vector<Point>& points, std::uint32_t colour) {
        if (points.size() < 3) return;
        SetFill(colour);
        Path(points, pdf::kClose | pdf::kFill);
    }

    void Text(Point baseline, const std::string& text, double sizeMm, Anchor anchor, bool bold,
              std::uint32_t colour) {
        const double width = plan::TextWidthMm(text, sizeMm, bold);
        if (anchor == Anchor::Middle) baseline.x -= width / 2;
        if (anchor == Anchor::End) baseline.x -= width;
        SetFill(colour);
        const Point at = Map(baseline);
        w_.DrawText(static_cast<float>(at.x), static_cast<float>(at.y), text,
                    bold ? kBoldFont : kRegularFont, static_cast<float>(sizeMm * kPointsPerMm), 0,
                    landscape_ ? 90.0f : 0.0f);
    }

    // Whatever `draw` puts on the page shows only inside `window` (page mm
    // as seen), lines and text alike.
    template <typename Draw>
    void Clipped(const Rect& window, const Draw& draw) {
        const Point a = Map({window.left, window.top}), b = Map({window.right, window.bottom});
        w_.BeginClip(static_cast<float>(std::min(a.x, b.x)), static_cast<float>(std::min(a.y, b.y)),
                     static_cast<float>(std::fabs(b.x - a.x)),
                     static_cast<float>(std::fabs(b.y - a.y)));
        const State kept = state_;
        draw();
        w_.EndClip();  // the writer's state is back to what it was
        state_ = kept;
    }

    // Form `name`, drawn on a PageCanvas of `frame`, with its point `from`
    // (frame mm) at `at` on this page (page mm as seen).
    void Form(const std::string& name, const PageSize& frame, Point from, Point at) {
        // Where the form's stored origin and its unit steps land on the page.
        const auto stored = [&](Point f) {
            return Map({at.x + f.x - from.x, at.y + (frame.heightMm - f.y) - from.y});
        };
        const Point o = stored({0, 0}), x = stored({1, 0}), y = stored({0, 1});
        const auto whole = [](double v) { return static_cast<std::int32_t>(std::lround(v)); };
        w_.DrawObjectAt(name, whole(x.x - o.x), whole(x.y - o.y), whole(y.x - o.x),
                        whole(y.y - o.y), static_cast<float>(o.x), static_cast<float>(o.y));
    }

  private:
    // The writer's space: millimetres on the page as stored (portrait), y up.
    // A landscape page is stored portrait and turned a quarter clockwise when
    // shown, so the seen x runs up the stored page and the seen y across it.
    Point Map(Point p) const {
        if (landscape_) return {p.y, p.x};
        return {p.x, page_.heightMm - p.y};
    }

    void Path(const std::vector<Point>& points, std::int32_t paint) {
        const Point first = Map(points.front());
        w_.MoveTo(static_cast<float>(first.x), static_cast<float>(first.y));
        for (size_t i = 1; i < points.size(); ++i) {
            const Point p = Map(points[i]);
            w_.LineTo(static_cast<float>(p.x), static_cast<float>(p.y),
                      i + 1 == points.size() ? paint : 0);
        }
    }

    void SetStroke(double widthMm, std::uint32_t colour, double dashMm) {
        if (widthMm != state_.width) w_.SetLineWidth(static_cast<float>(state_.width = widthMm));
        if (colour != state_.stroke) w_.SetColorStroke(WriterColour(state_.stroke = colour));
        if (dashMm != state_.dash) {
            state_.dash = dashMm;
            w_.SetDash(static_cast<float>(dashMm), static_cast<float>(dashMm));
        }
    }
    void SetFill(std::uint32_t colour) {
        if (colour != state_.fill) w_.SetColorFill(WriterColour(state_.fill = colour));
    }

    pdf::clsPdfWriter& w_;
    bool landscape_;
    PageSize page_;
    // What a new page starts with: black, solid, one point wide.
    struct State {
        double width = 1 / kPointsPerMm;
        std::uint32_t stroke = 0;
        std::uint32_t fill = 0;
        double dash = 0;
    } state_;
};

// Drawing millimetres to page millimetres: page = at + scale (p - from).
struct Placement {
    Point from;
    Point at;
    double scale = 1;
    Point operator()(Point p) const {
        return {at.x + scale * (p.x - from.x), at.y + scale * (p.y - from.y)};
    }
};

// Whatever of each element lies inside `clip` (drawing mm); a text is drawn
// whole when any of it is inside. `boxes`, when given, hold the elements'
// ink bounds, so that those far from the clip are passed over unclipped.
void DrawElements(PageCanvas& canvas, const std::vector<Element>& elements, const Rect& clip,
                  const Placement& place, double minStrokeMm = 0,
                  const std::vector<Rect>* boxes = nullptr);

}  // namespace sundial::tmpl
