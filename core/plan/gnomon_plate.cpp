#include "core/plan/gnomon_plate.h"

#include <algorithm>
#include <cmath>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"

namespace sundial::plan {

namespace {

constexpr Role kRole = Role::GnomonPlate;
constexpr double kEdgeStrokeMm = 0.5;
constexpr double kMarkStrokeMm = 0.3;
constexpr double kFoldStrokeMm = 0.35;
constexpr double kFoldDashMm = 3;
constexpr std::uint32_t kFoldColour = 0x1f4fbf;
constexpr std::uint32_t kNodusColour = 0xb22222;  // red, as the noon curve: where to read
constexpr double kMarginMm = 5;
constexpr double kNoteMm = 3.5;
constexpr const char* kDegree = "\u00b0";

std::string AngleText(double deg) {
    return AngleTitleText(deg);
}

// The surface the gnomon stands on, as the words name it.
struct Surface {
    std::string name;  // "the wall"
    std::string out;   // "out from the wall": the direction off it
};

Surface SurfaceOf(const engine::Plane& plane) {
    if (plane.reclineDeg == 0) return {"the wall", "out from the wall"};
    if (plane.reclineDeg == 90) return {"the dial face", "up from the face"};
    return {"the face", "out from the face"};
}

std::string Pole(bool south) {
    return south ? "south" : "north";
}

// Builds one drawing: elements in a scratch frame, shifted at the end so
// that everything starts a margin from the top left.
class Sheet {
  public:
    explicit Sheet(double textMm) : text_(textMm), cap_(kCapHeight * textMm) {}
    double cap() const { return cap_; }
    double size() const { return text_; }

    void Add(Element e) { out_.push_back(std::move(e)); }
    void Label(Point at, std::string words, Anchor anchor, bool bold = false) {
        out_.push_back(
            MakeText(kRole, {at.x, at.y + cap_ / 2}, std::move(words), text_, anchor, bold));
    }
    void Outline(std::vector<Point> points) {
        out_.push_back(MakePath(kRole, Shape::Polygon, std::move(points), kEdgeStrokeMm));
    }
    // Where the gnomon meets the surface: the one dashed line.
    void Fold(Point a, Point b) {
        Element fold = MakeLine(kRole, a, b, kFoldStrokeMm, kFoldColour);
        fold.dashMm = kFoldDashMm;
        out_.push_back(std::move(fold));
    }
    void Nodus(Point at, double radiusMm) {
        Element ring = MakePath(kRole, Shape::Circle, {at}, kMarkStrokeMm, kNodusColour);
        ring.radiusMm = radiusMm;
        out_.push_back(std::move(ring));
    }
    void Notes(Point at, const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            out_.push_back(MakeText(kRole, at, line, kNoteMm, Anchor::Start));
            at.y += 1.6 * kNoteMm;
        }
    }
    Drawing Finish() {
        std::vector<Point> corners;
        for (const Element& e : out_) {
            if (e.shape == Shape::Text) {
                const Rect b = TextBox(e);
                corners.push_back({b.left, b.top});
                corners.push_back({b.right, b.bottom + kDescent * e.textSizeMm});
                continue;
            }
            for (const Point& p : e.points) {
                corners.push_back({p.x - e.radiusMm, p.y - e.radiusMm});
                corners.push_back({p.x + e.radiusMm, p.y + e.radiusMm});
            }
        }
        const Rect b = Bounds(corners);
        const double dx = kMarginMm - b.left, dy = kMarginMm - b.top;
        for (Element& e : out_) {
            for (Point& p : e.points) p = {p.x + dx, p.y + dy};
        }
        Drawing drawing;
        drawing.widthMm = b.Width() + 2 * kMarginMm;
        drawing.heightMm = b.Height() + 2 * kMarginMm;
        drawing.elements = std::move(out_);
        return drawing;
    }

  private:
    double text_;
    double cap_;
    std::vector<Element> out_;
};

// A tab `depth` wide on the far side of the foot edge x = `x`, y `top` to
// `top + length`, with its corners cut so that it folds clear of the plate's ends.
double AddTab(Sheet& sheet, double x, double length, double top = 0) {
    const double depth = std::clamp(0.15 * length, 8.0, 20.0);
    const double chamfer = std::min(depth, length / 4);
    const double end = top + length;
    sheet.Add(MakePath(kRole, Shape::Polyline,
                       {{x, top}, {x + depth, top + chamfer}, {x + depth, end - chamfer}, {x, end}},
                       kEdgeStrokeMm));
    // Two screw holes, a third of the way in from each end.
    for (const double y : {top + length / 3, top + 2 * length / 3}) {
        Element hole = MakePath(kRole, Shape::Circle, {{x + depth / 2, y}}, kMarkStrokeMm);
        hole.radiusMm = std::min(1.5, depth / 6);
        sheet.Add(std::move(hole));
    }
    sheet.Fold({x, top}, {x, end});
    return x + depth;
}

void TabNotes(const Surface& s, std::vector<std::string>& notes) {
    notes.push_back("Fold the tab back along the dashed foot edge and screw it to " + s.name + ",");
    notes.push_back("or cut it off and set the foot edge in a slot.");
}

void ThicknessNotes(double thicknessMm, std::vector<std::string>& notes) {
    if (thicknessMm <= 0) return;
    // The hour lines were drawn for this thickness: the two faces each cast
    // half the day's lines.
    notes.push_back("Cut it from plate " + MmText(thicknessMm) +
                    " mm thick, centred on the substyle line: the lines either side");
    notes.push_back("of it were drawn from the face on their side.");
}

Drawing Triangle(const GnomonPlateInput& in) {
    const GnomonSize& size = in.size;
    const Surface surface = SurfaceOf(in.plane);
    const double a = size.alongWallMm, o = size.outMm;
    // The foot edge upright with the root at its top, the right angle at its
    // foot, the style sloping down to the tip.
    const Point root{o, 0}, foot{o, a}, tip{0, a};
    Sheet sheet(std::clamp(0.04 * std::min(a, o), 3.0, 6.0));
    const double cap = sheet.cap();
    sheet.Outline({root, foot, tip});
    const double sq = std::min({5.0, a / 4, o / 4});
    sheet.Add(MakePath(kRole, Shape::Polyline,
                       {{foot.x, foot.y - sq}, {foot.x - sq, foot.y - sq}, {foot.x - sq, foot.y}},
                       kMarkStrokeMm));
    const double right = AddTab(sheet, o, a) + 2;

    Element dot = MakePath(kRole, Shape::Circle, {root}, 0);
    dot.radiusMm = std::min(1.5, a / 10);
    dot.filled = true;
    sheet.Add(dot);
    sheet.Label({right, root.y}, "ROOT END", Anchor::Start, true);
    // Above the root, where the style does not run.
    sheet.Label({root.x - 1, root.y - 1.5 * cap}, "style height " + AngleText(size.angleDeg),
                Anchor::End);
    sheet.Label({tip.x - 2, tip.y}, AngleText(90 - size.angleDeg), Anchor::End);
    sheet.Label({right, foot.y}, "90" + std::string(kDegree) + " at the foot", Anchor::Start);
    sheet.Label({right, a / 2}, "foot on " + surface.name + " " + MmText(a) + " mm", Anchor::Start);
    // Under the edge it measures; from the tip on when wider than the edge,
    // clear of the tip's angle.
    const std::string outWords = surface.out + " " + MmText(o) + " mm";
    const bool wide = TextWidthMm(outWords, sheet.size(), false) > o;
    sheet.Label({wide ? tip.x : o / 2, foot.y + 2 + cap / 2}, outWords,
                wide ? Anchor::Start : Anchor::Middle);
    const Point mid{(root.x + tip.x) / 2, (root.y + tip.y) / 2};
    sheet.Label({mid.x - 2, mid.y}, "style " + MmText(size.styleMm) + " mm", Anchor::End);

    if (in.nodusMm > 0 && in.nodusMm <= size.styleMm + 1e-9) {
        const double f = in.nodusMm / size.styleMm;
        const Point nodus{root.x + f * (tip.x - root.x), root.y + f * (tip.y - root.y)};
        sheet.Nodus(nodus, std::min(2.0, size.styleMm / 20));
        // A nodus at the tip is named in the notes, keeping the sheet narrow.
        if (std::fabs(in.nodusMm - size.styleMm) >= 0.05 * size.styleMm) {
            sheet.Label({nodus.x + 3, nodus.y}, "nodus " + MmText(in.nodusMm) + " mm from the root",
                        Anchor::Start);
        }
    }

    std::vector<std::string> notes = {"Gnomon plate for " + in.placeName +
                                      ", full size: cut along the outline, tab and all."};
    if (in.nodusMm > 0 && std::fabs(in.nodusMm - size.styleMm) < 0.05 * size.styleMm) {
        notes.push_back("The nodus (ringed) is at the tip, " + MmText(in.nodusMm) +
                        " mm from the root.");
    }
    if (in.plane.reclineDeg == 90) {
        notes.push_back("Stand it upright on the noon line, root end at the dial's root,");
        notes.push_back("the style rising toward true " + Pole(in.south) +
                        " at the latitude's angle.");
    } else if (in.plane.reclineDeg == 0) {
        notes.push_back("Stand it square to the wall on the dashed substyle line, root end at the");
        notes.push_back(std::string("dial's root, the style sloping ") +
                        (in.rootAbove ? "down" : "up") +
                        " and out from it, parallel to the earth's axis.");
    } else {
        notes.push_back("Stand it square to the face on the dashed substyle line, root end at the");
        notes.push_back(
            "dial's root, the style leaving the face there, parallel to the earth's "
            "axis.");
    }
    TabNotes(surface, notes);
    ThicknessNotes(in.thicknessMm, notes);
    sheet.Notes({tip.x, foot.y + 4 + 3 * cap}, notes);
    return sheet.Finish();
}

// The triangle's part over the dial plate when its root lies beyond the
// plate's edge: the foot from that edge to the tip, cut square at the edge,
// so that the plate stays the dial's size however far off the root is.
Drawing CutTriangle(const GnomonPlateInput& in) {
    const GnomonSize& size = in.size;
    const Surface surface = SurfaceOf(in.plane);
    const double a = size.alongWallMm, o = size.outMm, c = in.cutMm;
    const double foot = a - c, high = o * c / a;  // the foot's length, the cut end's height
    const double style = size.styleMm * foot / a;
    // As the whole triangle would be drawn, root at the top: the cut edge
    // at y = c, the tip at the bottom left.
    const Point cutFoot{o, c}, cutTop{o - high, c}, end{o, a}, tip{0, a};
    Sheet sheet(std::clamp(0.04 * std::min(foot, high), 3.0, 6.0));
    const double cap = sheet.cap();
    sheet.Outline({cutFoot, end, tip, cutTop});
    const double right = AddTab(sheet, o, foot, c) + 2;
    sheet.Label({right, c}, "CUT END", Anchor::Start, true);
    sheet.Label({right, c + 1.6 * cap}, "the root lies " + MmText(c) + " mm beyond it",
                Anchor::Start);
    // Above the cut edge: its height, then the style's angle.
    sheet.Label({o - high / 2, c - 2 - cap / 2}, surface.out + " " + MmText(high) + " mm",
                Anchor::Middle);
    sheet.Label({o - high / 2, c - 2 - 2.2 * cap}, "style height " + AngleText(size.angleDeg),
                Anchor::Middle);
    sheet.Label({tip.x - 2, tip.y}, AngleText(90 - size.angleDeg), Anchor::End);
    sheet.Label({right, end.y}, "90" + std::string(kDegree) + " at the foot", Anchor::Start);
    sheet.Label({right, c + foot / 2}, "foot on " + surface.name + " " + MmText(foot) + " mm",
                Anchor::Start);
    sheet.Label({o / 2, end.y + 2 + cap / 2}, surface.out + " " + MmText(o) + " mm",
                Anchor::Middle);
    // A quarter of the way down the style, clear of a nodus at its middle.
    const Point quarter{cutTop.x + (tip.x - cutTop.x) / 4, cutTop.y + (tip.y - cutTop.y) / 4};
    sheet.Label({quarter.x - 2, quarter.y}, "style " + MmText(style) + " mm", Anchor::End);
    // The nodus, where it lies on the part kept.
    const double fromCut = in.nodusMm - (size.styleMm - style);
    const bool marked = in.nodusMm > 0 && fromCut >= 0 && fromCut <= style + 1e-9;
    // A nodus at the tip is named in the notes, clear of the tip's words.
    const bool atTip = marked && style - fromCut < 0.05 * style;
    if (marked) {
        const double f = in.nodusMm / size.styleMm;
        const Point nodus{o - f * o, f * a};
        sheet.Nodus(nodus, std::min(2.0, style / 20));
        if (!atTip) {
            sheet.Label({nodus.x + 3, nodus.y}, "nodus " + MmText(fromCut) + " mm from the cut end",
                        Anchor::Start);
        }
    }
    std::vector<std::string> notes = {"Gnomon plate for " + in.placeName +
                                      ", full size: cut along the outline, tab and all."};
    if (atTip) {
        notes.push_back("The nodus (ringed) is at the tip, " + MmText(fromCut) +
                        " mm along the style from the cut end.");
    }
    notes.insert(
        notes.end(),
        {"Stand it square to " + surface.name + " on the dashed substyle line, its cut end at the",
         "dial plate's edge on the root's side (the root lies " + MmText(c) + " mm beyond it),",
         "the style rising away from the root, parallel to the earth's axis."});
    TabNotes(surface, notes);
    ThicknessNotes(in.thicknessMm, notes);
    sheet.Notes({tip.x, end.y + 4 + 3 * cap}, notes);
    return sheet.Finish();
}

Drawing Rectangle(const GnomonPlateInput& in) {
    const GnomonSize& size = in.size;
    const Surface surface = SurfaceOf(in.plane);
    const double a = size.alongWallMm, o = size.outMm;
    Sheet sheet(std::clamp(0.04 * std::min(a, o), 3.0, 6.0));
    const double cap = sheet.cap();
    sheet.Outline({{o, 0}, {o, a}, {0, a}, {0, 0}});
    const double right = AddTab(sheet, o, a) + 2;
    // The middle of the foot edge goes on the nodus's foot.
    const double tick = std::min(4.0, o / 4);
    sheet.Add(MakeLine(kRole, {o - tick, a / 2}, {o, a / 2}, kMarkStrokeMm));
    sheet.Label({right, a / 2}, "middle: on the nodus's foot", Anchor::Start);
    sheet.Label({right, a / 4}, "foot on " + surface.name + " " + MmText(a) + " mm", Anchor::Start);
    sheet.Label({o / 2, a + 2 + cap / 2}, surface.out + " " + MmText(o) + " mm", Anchor::Middle);
    sheet.Label({-2, a / 4}, "style " + MmText(size.styleMm) + " mm", Anchor::End);
    if (in.nodusMm > 0) {
        sheet.Nodus({0, a / 2}, std::min(2.0, a / 20));
        sheet.Label({-3, a / 2}, "nodus", Anchor::End);
    }
    std::vector<std::string> notes = {
        "Gnomon plate for " + in.placeName + ", full size: cut along the outline, tab and all.",
        "Stand it square to " + surface.name + " on the dashed substyle line,",
        "the middle of its foot edge on the nodus's foot; its far edge, the style,",
        "then runs parallel to " + surface.name + ", " + MmText(o) + " mm " +
            surface.out.substr(0, surface.out.find(' ')) + " from it."};
    TabNotes(surface, notes);
    ThicknessNotes(in.thicknessMm, notes);
    sheet.Notes({0, a + 4 + 3 * cap}, notes);
    return sheet.Finish();
}

Drawing Rod(const GnomonPlateInput& in) {
    const double length = in.size.styleMm;  // either side of the plate
    const double across = std::clamp(std::round(length / 25), 3.0, 12.0);
    const double r = across / 2;
    Sheet sheet(std::clamp(0.04 * length, 3.0, 6.0));
    const double cap = sheet.cap(), text = sheet.size();
    // Upright, the summer end up; the plate seen edge on at y = 0.
    sheet.Outline({{-r, -length}, {r, -length}, {r, length}, {-r, length}});
    sheet.Fold({-3 * across, 0}, {3 * across, 0});
    for (const double y : {-across, 0.0}) {
        sheet.Add(MakePath(kRole, Shape::Polygon,
                           {{-1.5 * across, y},
                            {1.5 * across, y},
                            {1.5 * across, y + across},
                            {-1.5 * across, y + across}},
                           kMarkStrokeMm));
    }
    const double right = 3 * across + 2, left = -1.5 * across - 2;
    sheet.Label({left, 0}, "collars", Anchor::End);
    sheet.Label({right, 0}, "the plate (dashed): summer face above, winter face below",
                Anchor::Start);
    sheet.Label({right, -length}, "summer end, " + MmText(length) + " mm above the plate",
                Anchor::Start);
    sheet.Label({right, length}, "winter end, " + MmText(length) + " mm below the plate",
                Anchor::Start);
    if (in.nodusMm > 0 && in.nodusMm <= length + 1e-9) {
        const bool atEnd = length - in.nodusMm < 2 * text;
        for (const double sign : {-1.0, 1.0}) {
            sheet.Nodus({0, sign * in.nodusMm}, std::min(2.0, r + 0.5));
            const double y = sign * (atEnd ? length - 1.6 * text : in.nodusMm);
            sheet.Label({right, y}, "nodus, " + MmText(in.nodusMm) + " mm from the plate",
                        Anchor::Start);
        }
    }
    std::vector<std::string> notes = {
        "Gnomon rod for " + in.placeName + ", full size: a straight rod " + MmText(across) +
            " mm across, " + MmText(2 * length) + " mm long.",
        "Pass it through the plate at the hour lines' centre, square to the plate, and clamp",
        "the plate between the two collars, the summer end up: the rod points to the " +
            Pole(in.south) + " celestial pole.",
        "Mark each nodus with a bead or a notch; the winter face's lines are read from the lower "
        "end."};
    sheet.Notes({-3 * across, length + 4 + 3 * cap}, notes);
    return sheet.Finish();
}

}  // namespace

GnomonForm FormOf(const GnomonSize& size) {
    if (size.angleDeg <= 0) return GnomonForm::Rectangle;
    if (size.angleDeg >= kRodStyleDeg) return GnomonForm::Rod;
    return GnomonForm::Triangle;
}

Drawing GnomonPlateDrawing(const GnomonPlateInput& in) {
    switch (FormOf(in.size)) {
        case GnomonForm::Rectangle:
            return Rectangle(in);
        case GnomonForm::Rod:
            return Rod(in);
        case GnomonForm::Triangle:
            break;
    }
    return in.cutMm > 0 && in.cutMm < in.size.alongWallMm ? CutTriangle(in) : Triangle(in);
}

}  // namespace sundial::plan
