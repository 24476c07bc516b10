#include "core/plan/gnomon_plate.h"

#include <algorithm>
#include <cmath>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "core/site/number_text.h"

namespace sundial::plan {

namespace {

constexpr double kEdgeStrokeMm = 0.5;
constexpr double kMarkStrokeMm = 0.3;
constexpr double kMarginMm = 5;
constexpr const char* kDegree = "\u00b0";

std::string AngleText(double deg) {
    return DecimalText(std::floor(deg * 100) / 100, 7) + kDegree;
}

}  // namespace

Drawing GnomonPlateDrawing(const GnomonSize& size, double nodusMm, const std::string& placeName,
                           double thicknessMm) {
    const Role role = Role::GnomonPlate;
    const double a = size.alongWallMm, o = size.outMm;
    // As the gnomon dialog draws it: the wall edge upright with the root at
    // its top, the right angle at its foot, the style sloping down to the tip.
    const Point root{o, 0}, foot{o, a}, tip{0, a};
    // Small enough that a plate of a page's width keeps its labels on the page.
    const double text = std::clamp(0.04 * std::min(a, o), 3.0, 6.0);
    const double cap = kCapHeight * text;

    // A style parallel to the plate (its root at infinity) stands on a
    // rectangle: the style is its edge opposite the plate.
    const bool parallel = size.angleDeg <= 0;
    std::vector<Element> out;
    out.push_back(MakePath(role, Shape::Polygon,
                           parallel ? std::vector<Point>{root, foot, tip, {0, 0}}
                                    : std::vector<Point>{root, foot, tip},
                           kEdgeStrokeMm));

    // The right angle's square, inside the corner.
    const double sq = std::min({5.0, a / 4, o / 4});
    out.push_back(MakePath(
        role, Shape::Polyline,
        {{foot.x, foot.y - sq}, {foot.x - sq, foot.y - sq}, {foot.x - sq, foot.y}}, kMarkStrokeMm));
    // The root end: a filled dot and its name, and the style's angle there.
    // A style parallel to the plate has no root.
    if (!parallel) {
        Element dot = MakePath(role, Shape::Circle, {root}, 0);
        dot.radiusMm = std::min(1.5, a / 10);
        dot.filled = true;
        out.push_back(dot);
        out.push_back(
            MakeText(role, {root.x + 2, root.y + cap / 2}, "ROOT END", text, Anchor::Start, true));
        out.push_back(MakeText(role, {root.x - 2, root.y + cap / 2},
                               "style height " + AngleText(size.angleDeg), text, Anchor::End));
        out.push_back(MakeText(role, {tip.x - 2, tip.y + cap / 2}, AngleText(90 - size.angleDeg),
                               text, Anchor::End));
    }
    // A nodus at (or next to) the tip is named under the tip's angle.
    const bool nodusAtTip = nodusMm > 0 && std::fabs(nodusMm - size.styleMm) < 0.05 * size.styleMm;
    if (nodusAtTip) {
        out.push_back(MakeText(role, {tip.x - 2, tip.y + cap / 2 + 1.6 * text},
                               "nodus, " + MmText(nodusMm) + " mm from the root", text,
                               Anchor::End));
    }
    out.push_back(MakeText(role, {foot.x + 2, foot.y + cap / 2}, "90" + std::string(kDegree), text,
                           Anchor::Start));

    // Edge lengths, beside their edges.
    out.push_back(MakeText(role, {foot.x + 2, (root.y + foot.y) / 2 + cap / 2},
                           "on the wall " + MmText(a) + " mm", text, Anchor::Start));
    out.push_back(MakeText(role, {(foot.x + tip.x) / 2, foot.y + 2 + cap},
                           "out from the wall " + MmText(o) + " mm", text, Anchor::Middle));
    const Point styleMid =
        parallel ? Point{0, a / 2} : Point{(root.x + tip.x) / 2, (root.y + tip.y) / 2};
    out.push_back(MakeText(role, {styleMid.x - 2, styleMid.y + cap / 2},
                           "style " + MmText(size.styleMm) + " mm", text, Anchor::End));

    if (nodusMm > 0 && nodusMm <= size.styleMm + 1e-9) {
        // The mark always; the words only where the tip's label does not say it.
        const double f = nodusMm / size.styleMm;
        const Point nodus{root.x + f * (tip.x - root.x), root.y + f * (tip.y - root.y)};
        Element ring = MakePath(role, Shape::Circle, {nodus}, kMarkStrokeMm);
        ring.radiusMm = std::min(2.0, size.styleMm / 20);
        out.push_back(ring);
        if (!nodusAtTip) {
            out.push_back(MakeText(role, {nodus.x + 3, nodus.y + cap / 2},
                                   "nodus " + MmText(nodusMm) + " mm from the root", text,
                                   Anchor::Start));
        }
    }

    // Heading and how to stand it, under the triangle, in a size that keeps
    // the lines within a page's width.
    constexpr double kNoteMm = 3.5;
    double y = foot.y + 4 + 3 * cap;
    std::vector<std::string> notes = {
        "Gnomon plate for " + placeName + ", full size: cut along the outline.",
        "Stand it square to the wall on the dashed substyle line,",
        "root end at the dial's root, the style sloping down and out."};
    if (thicknessMm > 0) {
        // The hour lines were drawn for this thickness: the two faces each
        // cast half the day's lines.
        notes.push_back("Cut it from plate " + MmText(thicknessMm) +
                        " mm thick, centred on the substyle line: the lines either side");
        notes.push_back("of it were drawn from the face on their side.");
    }
    for (const std::string& line : notes) {
        out.push_back(MakeText(role, {tip.x, y}, line, kNoteMm, Anchor::Start));
        y += 1.6 * kNoteMm;
    }

    // Shift everything so that it starts a margin from the top left.
    std::vector<Point> corners;
    for (const Element& e : out) {
        if (e.shape == Shape::Text) {
            const Rect b = TextBox(e);
            corners.push_back({b.left, b.top});
            corners.push_back({b.right, b.bottom + kDescent * e.textSizeMm});
        } else {
            for (const Point& p : e.points) {
                corners.push_back({p.x - e.radiusMm, p.y - e.radiusMm});
                corners.push_back({p.x + e.radiusMm, p.y + e.radiusMm});
            }
        }
    }
    const Rect b = Bounds(corners);
    const double dx = kMarginMm - b.left, dy = kMarginMm - b.top;
    for (Element& e : out) {
        for (Point& p : e.points) p = {p.x + dx, p.y + dy};
    }
    Drawing drawing;
    drawing.widthMm = b.Width() + 2 * kMarginMm;
    drawing.heightMm = b.Height() + 2 * kMarginMm;
    drawing.elements = std::move(out);
    return drawing;
}

}  // namespace sundial::plan
