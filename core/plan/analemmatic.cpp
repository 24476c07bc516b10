#include "core/plan/analemmatic.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/engine/plane.h"
#include "core/font/text_fonts.h"
#include "core/lines/date_marks.h"
#include "core/plan/analemmatic_strip.h"
#include "core/plan/clip.h"
#include "core/plan/sun_samples.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"

namespace sundial::plan {

namespace {

constexpr std::uint32_t kMonthColour = 0x1f4fbf;
constexpr std::uint32_t kChosenColour = 0xb22222;
constexpr int kEllipseVertices = 720;
// Of the semi-major axis: what a dial this size is drawn with.
constexpr double kStrokeOfMajor = 1.0 / 600;
constexpr double kPointRadiusOfMajor = 0.012;
constexpr double kNumeralOfMajor = 0.07;
constexpr double kSmallestNumeralOfMajor = 0.012;
constexpr double kTickOfMajor = 0.03;
constexpr double kDateTextOfMajor = 0.045;
constexpr double kArrowOfMajor = 0.15;
constexpr double kMarginOfMajor = 0.05;

bool Overlap(const Rect& a, const Rect& b, double gap) {
    return a.left < b.right + gap && b.left < a.right + gap && a.top < b.bottom + gap &&
           b.top < a.bottom + gap;
}

// Ground offsets east and north as plate offsets from the centre (y down).
Point Plate(GroundOffset g) {
    return {g.eastMm, -g.northMm};
}

std::string TwoDigits(int n) {
    std::string digits = std::to_string(n);
    if (n < 10) digits.insert(digits.begin(), '0');
    return digits;
}

struct HourPoint {
    int hour = 0;  // clock hour, 0..23
    Point at;      // from the centre
    Point out;     // the ellipse's outward normal there, unit length
};

struct ScaleMark {
    lines::DateMark mark;
    bool rising = false;  // the sun climbing: drawn west of the scale
    bool chosen = false;
};

// The clock hours whose sun is up on some day: the hour angle within that of
// sunset at the summer solstice (the sun's centre on the geometric horizon).
std::vector<HourPoint> HourPoints(const engine::Site& site, double majorMm, double obliquityDeg) {
    const double lat = site.latitudeDeg;
    const double minor = majorMm * std::fabs(std::sin(engine::Rad(lat)));
    const double c = -std::tan(engine::Rad(std::fabs(lat))) * std::tan(engine::Rad(obliquityDeg));
    const double longestDeg = c <= -1 ? 180 : engine::Deg(std::acos(c));
    std::vector<HourPoint> points;
    for (int hour = 0; hour < 24; ++hour) {
        double h = 15 * (hour - 12 - site.zoneHours) + site.longitudeEastDeg;
        h = std::remainder(h, 360.0);
        if (std::fabs(h) >= longestDeg) continue;
        const Point at = Plate(HourPointOffset(majorMm, lat, h));
        // The gradient of x²/a² + y²/b², outward.
        Point out{at.x / (majorMm * majorMm), at.y / (minor * minor)};
        const double n = std::hypot(out.x, out.y);
        points.push_back({hour, at, {out.x / n, out.y / n}});
    }
    return points;
}

// The first of every month and the chosen dates, in the dial's year and zone.
std::vector<ScaleMark> ScaleMarks(const SunYear& sun, const std::vector<MonthDay>& chosen,
                                  double zoneHours) {
    std::vector<ScaleMark> marks;
    for (int month = 1; month <= 12; ++month) {
        if (auto m = lines::ChosenDateLine(sun, {month, 1}, zoneHours)) {
            marks.push_back({*m, month <= 6, false});
        }
    }
    for (const MonthDay& d : chosen) {
        const auto m = lines::ChosenDateLine(sun, d, zoneHours);
        if (!m) continue;
        const int day = *DayOfYear(sun.year(), d);
        const double later =
            sun.AtClock(std::min(day + 1, sun.days()), 12, zoneHours).declinationDeg;
        const double earlier = sun.AtClock(std::max(day - 1, 1), 12, zoneHours).declinationDeg;
        marks.push_back({*m, later > earlier, true});
    }
    return marks;
}

// What a text must keep clear of: boxes (the date scale and its labels) and
// the ellipse, by its vertices, each box grown by half their spacing.
struct Obstacles {
    std::vector<Rect> boxes;
    const std::vector<Point>* ring = nullptr;
    double reachMm = 0;

    bool Clear(const Rect& box, double gap) const {
        for (const Rect& b : boxes) {
            if (Overlap(box, b, gap)) return false;
        }
        const Rect grown = box.Inset(-reachMm);
        return std::none_of(ring->begin(), ring->end(),
                            [&](const Point& p) { return grown.Contains(p); });
    }
};

// `e` moved by the smallest of a widening round of steps that leaves it
// clear, trying `along` first, then across it; left where it is when none does.
bool Shift(Element& e, Point along, double step, const Obstacles& avoid) {
    const Point across{-along.y, along.x};
    const Point from = e.points[0];
    for (int ring = 0; ring <= 16; ++ring) {
        for (int a = 0; a <= ring; ++a) {
            for (const int sign : {1, -1}) {
                const int b = sign * (ring - a);
                e.points[0] = {from.x + step * (a * along.x + b * across.x),
                               from.y + step * (a * along.y + b * across.y)};
                if (avoid.Clear(TextBox(e), 0.1 * e.textSizeMm)) return true;
            }
        }
    }
    e.points[0] = from;
    return false;
}

// The numerals beside their points, outside the ellipse, as large as they go
// without touching one another or anything in `avoid`.
std::vector<Element> Numerals(const std::vector<HourPoint>& points, NumeralStyle style,
                              double majorMm, Obstacles avoid, double& sizeMm) {
    std::vector<Element> out;
    if (style == NumeralStyle::None) return out;
    const double gap = kPointRadiusOfMajor * majorMm * 1.5;
    const std::size_t fixed = avoid.boxes.size();
    for (sizeMm = kNumeralOfMajor * majorMm;; sizeMm *= 0.92) {
        out.clear();
        avoid.boxes.resize(fixed);
        bool clear = true;
        for (const HourPoint& p : points) {
            const std::string text = NumeralText(p.hour, style);
            const double half = 0.5 * (std::fabs(p.out.x) * TextWidthMm(text, sizeMm, true) +
                                       std::fabs(p.out.y) * kCapHeight * sizeMm);
            const double d = gap + half;
            Element e =
                MakeText(Role::Numerals,
                         CentredBaseline({p.at.x + d * p.out.x, p.at.y + d * p.out.y}, sizeMm),
                         text, sizeMm, Anchor::Middle, true);
            e.hour = p.hour;
            clear = Shift(e, p.out, 0.25 * sizeMm, avoid) && clear;
            avoid.boxes.push_back(TextBox(e));
            out.push_back(std::move(e));
        }
        if (clear || sizeMm < kSmallestNumeralOfMajor * majorMm) return out;
    }
}

void NorthArrow(Point tip, double majorMm, std::vector<Element>& out) {
    const double length = kArrowOfMajor * majorMm, head = length / 3;
    const double stroke = 2 * kStrokeOfMajor * majorMm;
    const double letter = 0.4 * length;
    const Point top{tip.x, tip.y + letter * kCapHeight + 0.1 * length};
    out.push_back(MakeText(Role::NorthArrow, {tip.x, tip.y + letter * kCapHeight}, "N", letter,
                           Anchor::Middle, true));
    out.push_back(
        MakeLine(Role::NorthArrow, {top.x, top.y + head}, {top.x, top.y + length}, stroke));
    Element arrow =
        MakePath(Role::NorthArrow, Shape::Polygon,
                 {top, {top.x + head / 3, top.y + head}, {top.x - head / 3, top.y + head}}, stroke);
    arrow.filled = true;
    out.push_back(std::move(arrow));
}

Rect InkOf(const std::vector<Element>& elements) {
    std::vector<Point> corners;
    for (const Element& e : elements) {
        if (e.shape == Shape::Text) {
            const Rect b = TextBox(e);
            corners.insert(corners.end(), {{b.left, b.top}, {b.right, b.bottom}});
        } else if (e.shape == Shape::Circle) {
            const Point c = e.points[0];
            corners.insert(corners.end(), {{c.x - e.radiusMm, c.y - e.radiusMm},
                                           {c.x + e.radiusMm, c.y + e.radiusMm}});
        } else {
            corners.insert(corners.end(), e.points.begin(), e.points.end());
        }
    }
    return Bounds(corners);
}

}  // namespace

GroundOffset HourPointOffset(double majorMm, double latitudeDeg, double hourAngleDeg) {
    const double h = engine::Rad(hourAngleDeg);
    return {majorMm * std::sin(h), majorMm * std::sin(engine::Rad(latitudeDeg)) * std::cos(h)};
}

double DateScaleNorthMm(double majorMm, double latitudeDeg, double declinationDeg) {
    return majorMm * std::cos(engine::Rad(latitudeDeg)) * std::tan(engine::Rad(declinationDeg));
}

std::optional<std::string> AnalemmaticLatitudeProblem(double latitudeDeg) {
    if (std::fabs(latitudeDeg) >= kMinAnalemmaticLatitudeDeg) return std::nullopt;
    return "An analemmatic dial needs a latitude of at least " +
           MmText(kMinAnalemmaticLatitudeDeg) +
           " degrees north or south: nearer the equator its ellipse flattens into a line and "
           "the hour points crowd together.";
}

std::optional<std::string> CheckAnalemmaticOptions(const PlanOptions& o) {
    const double major = o.analemmaticMajorMm.value_or(0);
    if (!(major >= kMinMajorMm && major <= kMaxMajorMm)) {
        return "The ellipse's semi-major axis must be from " + MmText(kMinMajorMm) + " to " +
               MmText(kMaxMajorMm) + " mm.";
    }
    const bool sized = o.widthMm != 0 || o.heightMm != 0;
    if (sized && (!(o.widthMm >= kMinPlateMm && o.widthMm <= kMaxPlateMm) ||
                  !(o.heightMm >= kMinPlateMm && o.heightMm <= kMaxPlateMm))) {
        return "The plate must be from " + MmText(kMinPlateMm) + " to " + MmText(kMaxPlateMm) +
               " mm each way, or left out for the dial to choose.";
    }
    return std::nullopt;
}

PlanResult BuildAnalemmaticPlan(const SiteState& state, const PlanOptions& o) {
    if (auto message = CheckAnalemmaticOptions(o)) {
        return {PlanStatus::BadOptions, *message, std::nullopt};
    }
    if (auto message = AnalemmaticLatitudeProblem(state.Latitude)) {
        return {PlanStatus::BadOptions, *message, std::nullopt};
    }
    if (const auto message = engine::CheckSite(EngineSite(state))) {
        return {PlanStatus::BadOptions, *message, std::nullopt};
    }
    if (auto message = font::TextFontProblem()) {
        return {PlanStatus::FontMissing, std::move(*message), std::nullopt};
    }
    // The date scale's year; without one, the year standing for the mean of
    // the leap-year cycle.
    const std::optional<SunYear> sun =
        SunYear::For(o.extras.year != 0 ? o.extras.year : kSampleYear);
    if (!sun) {
        return {PlanStatus::BadOptions,
                "The year must be from " + std::to_string(kFirstCurveYear) + " to " +
                    std::to_string(kLastCurveYear) + ".",
                std::nullopt};
    }
    const engine::Site site = EngineSite(state);
    const double major = *o.analemmaticMajorMm;
    const double lat = site.latitudeDeg;
    const double minor = major * std::fabs(std::sin(engine::Rad(lat)));
    const double stroke = kStrokeOfMajor * major;
    const double obliquity = sun->obliquityDeg();

    // Laid out about the centre first; the plate is then what holds it all.
    std::vector<Element> ground;
    std::vector<Point> ring;
    for (int i = 0; i < kEllipseVertices; ++i) {
        ring.push_back(Plate(HourPointOffset(major, lat, 360.0 * i / kEllipseVertices)));
    }
    ground.push_back(MakePath(Role::Ellipse, Shape::Polygon, ring, stroke));
    const double arm = kTickOfMajor * major;
    ground.push_back(MakeLine(Role::Ellipse, {-arm, 0}, {arm, 0}, stroke));
    ground.push_back(MakeLine(Role::Ellipse, {0, -arm}, {0, arm}, stroke));

    // The date scale: its line from solstice to solstice, a tick and a label
    // for every mark, the sun's climbing half west of it, its falling half east.
    const double scaleEnd = DateScaleNorthMm(major, lat, obliquity);
    ground.push_back(MakeLine(Role::DateScale, {0, -scaleEnd}, {0, scaleEnd}, 2 * stroke));
    const std::vector<ScaleMark> marks = ScaleMarks(*sun, o.extras.dates, site.zoneHours);
    double dateSize = kDateTextOfMajor * major;
    for (const ScaleMark& a : marks) {
        for (const ScaleMark& b : marks) {
            const double apart = std::fabs(DateScaleNorthMm(major, lat, a.mark.declinationDeg) -
                                           DateScaleNorthMm(major, lat, b.mark.declinationDeg));
            if (&a != &b && a.rising == b.rising && a.chosen == b.chosen && apart > 0) {
                dateSize = std::min(dateSize, 0.8 * apart / kCapHeight);
            }
        }
    }
    const double monthColumn = arm + 0.3 * dateSize + TextWidthMm("30 Sep", dateSize, false);
    Obstacles avoid{{{-2 * stroke, -scaleEnd, 2 * stroke, scaleEnd}},
                    &ring,
                    std::numbers::pi * major / kEllipseVertices + stroke};
    const std::vector<HourPoint> points = HourPoints(site, major, obliquity);
    const double dotRadius = kPointRadiusOfMajor * major;
    for (const HourPoint& p : points) {
        avoid.boxes.push_back(
            {p.at.x - dotRadius, p.at.y - dotRadius, p.at.x + dotRadius, p.at.y + dotRadius});
    }
    std::vector<std::string> crowded;
    for (const ScaleMark& m : marks) {
        const double y = -DateScaleNorthMm(major, lat, m.mark.declinationDeg);
        const double side = m.rising ? -1 : 1;
        Element e =
            MakeLine(Role::DateScale, {0, y}, {side * arm, y}, m.chosen ? 2 * stroke : stroke,
                     m.chosen ? kChosenColour : kMonthColour);
        e.declinationDeg = m.mark.declinationDeg;
        const MonthDay d = m.mark.date.value_or(MonthDay{});
        e.date = TwoDigits(d.month) + "-" + TwoDigits(d.day);
        e.text = m.mark.label;
        ground.push_back(std::move(e));
        // A chosen date's label stands beyond the months', clear of theirs;
        // where the ellipse runs through a label, the label steps aside.
        const double at = (m.chosen ? monthColumn + arm : arm) + 0.3 * dateSize;
        Element label = MakeText(Role::DateScale, {side * at, y + 0.5 * kCapHeight * dateSize},
                                 m.mark.label, dateSize, m.rising ? Anchor::End : Anchor::Start,
                                 false, m.chosen ? kChosenColour : kMonthColour);
        if (!Shift(label, {0, 1}, 0.1 * kCapHeight * dateSize, avoid)) {
            crowded.push_back(m.mark.label);
        }
        avoid.boxes.push_back(TextBox(label));
        ground.push_back(std::move(label));
    }

    for (const HourPoint& p : points) {
        Element dot = MakePath(Role::HourPoints, Shape::Circle, {p.at}, 0);
        dot.radiusMm = dotRadius;
        dot.filled = true;
        dot.hour = p.hour;
        ground.push_back(std::move(dot));
    }
    double numeralSize = 0;
    for (Element& e : Numerals(points, o.numerals, major, avoid, numeralSize)) {
        ground.push_back(std::move(e));
    }
    const Rect ink = InkOf(ground);
    NorthArrow({ink.right + 0.1 * major, ink.top}, major, ground);

    // The plate: centred on the ellipse, with a margin round everything.
    const Rect all = InkOf(ground);
    const double margin = kMarginOfMajor * major;
    const double needW = 2 * (std::max(-all.left, all.right) + margin);
    const double needH = 2 * (std::max(-all.top, all.bottom) + margin);
    const bool chosen = o.widthMm == 0 && o.heightMm == 0;
    const double w = chosen ? std::ceil(needW / 10) * 10 : o.widthMm;
    const double h = chosen ? std::ceil(needH / 10) * 10 : o.heightMm;
    if (w < needW || h < needH || w > kMaxPlateMm || h > kMaxPlateMm) {
        return {PlanStatus::BadOptions,
                "This ellipse and its numerals need a plate of " + MmText(std::ceil(needW)) +
                    " x " + MmText(std::ceil(needH)) + " mm" +
                    (needW > kMaxPlateMm || needH > kMaxPlateMm
                         ? ", more than " + MmText(kMaxPlateMm) + " mm: give a smaller --major."
                         : ": give at least that, or leave the plate out."),
                std::nullopt};
    }
    const Point centre{w / 2, h / 2};
    Plan plan;
    plan.plateWidthMm = w;
    plan.plateHeightMm = h;
    plan.plane = engine::HorizontalPlane();
    plan.rootAtInfinity = true;
    plan.numeralSizeMm = numeralSize;
    plan.year = sun->year();
    plan.analemmatic = AnalemmaticFrame{centre, major, minor};
    plan.dial.widthMm = w;
    plan.dial.heightMm = h;
    // No plate's edge: on the ground it would be one more line to paint, and
    // on paper a ring of tiles holding nothing else.
    for (Element& e : ground) {
        for (Point& p : e.points) p = {p.x + centre.x, p.y + centre.y};
        plan.dial.elements.push_back(std::move(e));
    }
    for (const std::string& label : crowded) {
        plan.notes.push_back("The date scale's label " + label +
                             " could not be kept off the ellipse.");
    }
    for (const MonthDay& d : o.extras.dates) {
        if (!DayOfYear(sun->year(), d)) {
            plan.notes.push_back(lines::DateLabel(d) + " is not a date of " +
                                 std::to_string(sun->year()) + ".");
        }
    }
    AddAnalemmaticStrip({state, o, *plan.analemmatic, *sun}, h + 0.02 * major, plan.dial);
    return {PlanStatus::Built, "", std::move(plan)};
}

}  // namespace sundial::plan
