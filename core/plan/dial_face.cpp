#include "core/plan/dial_face.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"

namespace sundial::plan {

namespace {

constexpr double kSubstyleStrokeMm = 0.35;
constexpr double kSubstyleDashMm = 3;
constexpr double kRootMarkMm = 5;  // half the root cross's arms
constexpr double kRootCircleMm = 2;
constexpr double kShortestLineMm = 1;  // a line shorter than this is not on the plate
constexpr double kShrink = 0.9;
constexpr int kShrinkRounds = 40;
constexpr double kNearRingSize = 0.75;  // a ring's smallest this near the rest sets the ring
constexpr std::uint32_t kPartHourColour = 0x404040;

// Room between a numeral and whatever is beside it.
double NumeralGap(double sizeMm) {
    return 0.25 * sizeMm + 1;
}

Point Along(Point from, Point dir, double t) {
    return {from.x + t * dir.x, from.y + t * dir.y};
}

// Moves `box` the least distance that puts it inside `area` (when it fits).
Rect ClampInto(Rect box, const Rect& area) {
    double dx = 0, dy = 0;
    if (box.left < area.left) dx = area.left - box.left;
    if (box.right + dx > area.right) dx = area.right - box.right;
    if (box.top < area.top) dy = area.top - box.top;
    if (box.bottom + dy > area.bottom) dy = area.bottom - box.bottom;
    return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

void AddCrossMark(std::vector<Element>& out, Point at, const Rect& plate) {
    const Point ends[2][2] = {{{at.x - kRootMarkMm, at.y}, {at.x + kRootMarkMm, at.y}},
                              {{at.x, at.y - kRootMarkMm}, {at.x, at.y + kRootMarkMm}}};
    for (const auto& arm : ends) {
        if (const auto piece = ClipSegment(arm[0], arm[1], plate)) {
            out.push_back(MakeLine(Role::Substyle, piece->first, piece->second, kSubstyleStrokeMm));
        }
    }
    if (plate.Inset(kRootCircleMm).Contains(at)) {
        Element circle = MakePath(Role::Substyle, Shape::Circle, {at}, kSubstyleStrokeMm);
        circle.radiusMm = kRootCircleMm;
        out.push_back(circle);
    }
}

// The part of a line inside `area`: a ray from `from` or, `both`, the whole
// line, limited to [low, high] along `dir`. Nothing when shorter than a mm.
std::optional<std::pair<Point, Point>> Piece(Point from, Point dir, bool both, double low,
                                             double high, const Rect& area) {
    // Far enough to leave any plate whatever the root's distance.
    const double reach = 10 * (std::fabs(from.x) + std::fabs(from.y) + area.right + area.bottom);
    low = std::max(low, both ? -reach : 0.0);
    high = std::min(high, reach);
    if (high - low < kShortestLineMm) return std::nullopt;
    auto piece = ClipSegment(Along(from, dir, low), Along(from, dir, high), area);
    if (!piece || Distance(piece->first, piece->second) < kShortestLineMm) return std::nullopt;
    return piece;
}

struct Numeral {
    double hour;
    std::string text;
    Point centre;
    double size;
    Rect box;
    bool summer = false;
    bool left = false;  // no room for it even at the smallest size: left out
};

Rect NumeralBox(const Numeral& n, const Rect& plate) {
    const double width = TextWidthMm(n.text, n.size, false);
    const double height = kCapHeight * n.size;
    return ClampInto({n.centre.x - width / 2, n.centre.y - height / 2, n.centre.x + width / 2,
                      n.centre.y + height / 2},
                     plate);
}

// Shrinks each crowded numeral a step at a time; one still crowded at the
// smallest size is left out, the first of a crowding pair going first so
// that the other may keep its place.
template <class Crowded>
void ShrinkToFit(std::vector<Numeral>& ring, const Rect& plate, const Crowded& crowded) {
    for (int round = 0; round < kShrinkRounds; ++round) {
        bool changed = false;
        for (size_t i = 0; i < ring.size(); ++i) {
            if (ring[i].left || ring[i].size <= kMinNumeralMm || !crowded(i)) continue;
            ring[i].size = std::max(kMinNumeralMm, ring[i].size * kShrink);
            ring[i].box = NumeralBox(ring[i], plate);
            changed = true;
        }
        if (!changed) break;
    }
    for (size_t i = 0; i < ring.size(); ++i) {
        if (!ring[i].left && crowded(i)) ring[i].left = true;
    }
}

// One ring, one size: the size three numerals in four reach on their own,
// or the smallest's when it is near that. The rest keep their own size.
void SetRingSizes(std::vector<Numeral>& placed, const Rect& plate) {
    for (const bool summer : {false, true}) {
        std::vector<double> sizes;
        for (const Numeral& n : placed) {
            if (n.summer == summer && !n.left) sizes.push_back(n.size);
        }
        if (sizes.empty()) continue;
        std::sort(sizes.begin(), sizes.end(), std::greater<>());
        double ring = sizes[(3 * sizes.size() + 3) / 4 - 1];
        if (sizes.back() >= kNearRingSize * ring) ring = sizes.back();
        for (Numeral& n : placed) {
            if (n.summer != summer || n.left || n.size <= ring) continue;
            n.size = ring;
            n.box = NumeralBox(n, plate);
        }
    }
}

// "VI", "VI and VII", "IV, V and VI".
std::string Names(const std::vector<std::string>& names) {
    std::string out;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) out += i + 1 == names.size() ? " and " : ", ";
        out += names[i];
    }
    return out;
}

// Names the numerals set smaller than their ring, and those left out.
std::vector<std::string> RingNotes(const std::vector<Numeral>& placed) {
    std::vector<std::string> notes;
    for (const bool summer : {false, true}) {
        double ring = 0;
        for (const Numeral& n : placed) {
            if (n.summer == summer && !n.left) ring = std::max(ring, n.size);
        }
        const std::string kind = summer ? "summer " : "";
        std::vector<std::pair<std::string, std::vector<std::string>>> bySize;  // size, names
        std::vector<std::string> left;
        for (const Numeral& n : placed) {
            if (n.summer != summer) continue;
            if (n.left) {
                left.push_back(n.text);
                continue;
            }
            if (n.size >= ring - 1e-9) continue;
            const std::string mm = MmText(n.size);
            const auto same = std::find_if(bySize.begin(), bySize.end(),
                                           [&](const auto& g) { return g.first == mm; });
            (same == bySize.end() ? bySize.emplace_back(mm, std::vector<std::string>{}).second
                                  : same->second)
                .push_back(n.text);
        }
        for (const auto& [mm, names] : bySize) {
            notes.push_back("The " + kind + Names(names) +
                            (names.size() == 1 ? " numeral is" : " numerals are") + " set at " +
                            mm + " mm to fit.");
        }
        if (!left.empty()) {
            notes.push_back(
                "The " + kind + Names(left) + (left.size() == 1 ? " numeral is" : " numerals are") +
                " left out: the lines leave no room for " + (left.size() == 1 ? "it" : "them") +
                " even at " + MmText(kMinNumeralMm) + " mm.");
        }
    }
    return notes;
}

}  // namespace

FaceLayout LayoutFace(const FaceInput& in) {
    const Rect plate{0, 0, in.widthMm, in.heightMm};
    const bool numerals = in.numerals != NumeralStyle::None;
    const double nominal =
        std::clamp(0.05 * std::min(in.widthMm, in.heightMm), kMinNumeralMm, kMaxNumeralMm);
    FaceLayout face;

    double widest = 0;
    if (numerals) {
        for (const HourLine& line : in.lines) {
            if (line.role != Role::HourLines) continue;
            widest = std::max(
                widest,
                TextWidthMm(NumeralText(static_cast<int>(line.hour), in.numerals), nominal, false));
        }
    }
    const double gap = numerals ? NumeralGap(nominal) : 0;
    const double side = numerals ? widest + 2 * gap : 0;
    const double topBottom = numerals ? kCapHeight * nominal + 2 * gap : 0;
    // No band between a root on the plate and its nearest edges, so that the
    // lines still start at the root.
    const bool rootOn = in.root && plate.Contains(*in.root);
    const auto band = [&](double want, double rootToEdge) {
        return rootOn ? std::min(want, rootToEdge) : want;
    };
    const Point r = in.root.value_or(Point{});
    face.inner = {band(side, r.x), band(topBottom, r.y), in.widthMm - band(side, in.widthMm - r.x),
                  in.heightMm - band(topBottom, in.heightMm - r.y)};
    // Numerals centre on the middle of the band.
    const Rect centres = {face.inner.left / 2, face.inner.top / 2,
                          (in.widthMm + face.inner.right) / 2,
                          (in.heightMm + face.inner.bottom) / 2};
    // Summer time's numerals take a second band inside the first, as wide.
    Rect summerCentres = centres;
    if (numerals && in.summerNumerals) {
        const Rect outer = face.inner;
        face.inner = {outer.left + outer.left, outer.top + outer.top,
                      outer.right - (in.widthMm - outer.right),
                      outer.bottom - (in.heightMm - outer.bottom)};
        summerCentres = {(outer.left + face.inner.left) / 2, (outer.top + face.inner.top) / 2,
                         (outer.right + face.inner.right) / 2,
                         (outer.bottom + face.inner.bottom) / 2};
    }

    std::vector<Numeral> placed;
    std::vector<std::pair<Point, Point>> drawn;
    for (const HourLine& line : in.lines) {
        const double low = in.toSolstices ? line.nearMm : -std::numeric_limits<double>::infinity();
        const double high = in.toSolstices ? line.farMm : std::numeric_limits<double>::infinity();
        const auto piece =
            Piece(line.through, line.direction, line.parallel, low, high, face.inner);
        if (!piece) continue;
        auto [from, to] = *piece;
        // A numeral goes at the line's far end; a line whole across the plate
        // ends at its lower edge.
        if (line.parallel && (to.y < from.y || (to.y == from.y && to.x < from.x))) {
            std::swap(from, to);
        }
        if (line.role == Role::QuarterHourLines && !line.parallel) {
            // Quarter hours only in the outer half, where the lines have room.
            from = Along(from, {(to.x - from.x) / 2, (to.y - from.y) / 2}, 1);
        }
        if (line.role == Role::TenMinuteLines && !line.parallel) {
            // Ten-minute lines only in the outer third.
            from = Along(from, {(to.x - from.x) * 2 / 3, (to.y - from.y) * 2 / 3}, 1);
        }
        const bool whole = line.role == Role::HourLines;
        Element e = MakeLine(line.role, from, to,
                             whole                                 ? kHourStrokeMm
                             : line.role == Role::HalfHourLines    ? kHalfHourStrokeMm
                             : line.role == Role::QuarterHourLines ? kQuarterHourStrokeMm
                                                                   : kTenMinuteStrokeMm,
                             whole ? 0 : kPartHourColour);
        e.hour = line.hour;
        face.elements.push_back(e);
        drawn.push_back({from, to});
        // A thick style's line on the substyle comes twice: one numeral.
        if (!numerals || !whole || (!placed.empty() && placed.back().hour == line.hour)) continue;
        // On into the band, to its middle.
        const double len = Distance(from, to);
        const Point dir{(to.x - from.x) / len, (to.y - from.y) / len};
        if (in.summerNumerals) {
            const Point summer = Along(to, dir, RayExit(to, dir, summerCentres));
            placed.push_back(
                {line.hour,
                 NumeralText(static_cast<int>(line.hour) + in.summerHoursOn, in.numerals),
                 summer,
                 nominal,
                 {},
                 true});
        }
        const Point centre = Along(to, dir, RayExit(to, dir, centres));
        placed.push_back({line.hour,
                          NumeralText(static_cast<int>(line.hour), in.numerals),
                          centre,
                          nominal,
                          {}});
    }

    // Each numeral shrinks on its own until it is clear of the other
    // numerals and of every line but its own; then the ring takes one size.
    for (Numeral& n : placed) n.box = NumeralBox(n, plate);
    const auto crowded = [&](size_t i) {
        const Rect& a = placed[i].box;
        const double g = NumeralGap(placed[i].size);
        for (size_t j = 0; j < placed.size(); ++j) {
            if (j != i && !placed[j].left &&
                Overlaps(a, placed[j].box, std::min(g, NumeralGap(placed[j].size)))) {
                return true;
            }
        }
        for (const Element& e : face.elements) {
            if (e.shape == Shape::Line && e.hour != placed[i].hour &&
                SegmentTouches(e.points[0], e.points[1], a)) {
                return true;
            }
        }
        return !plate.Inset(g / 2).ContainsRect(a, 1e-9);
    };
    ShrinkToFit(placed, plate, crowded);
    SetRingSizes(placed, plate);
    ShrinkToFit(placed, plate, crowded);
    face.notes = RingNotes(placed);
    for (size_t i = 0; i < placed.size(); ++i) {
        const Numeral& n = placed[i];
        if (n.left) continue;
        if (crowded(i)) face.fits = false;
        Element numeral = MakeText(n.summer ? Role::SummerNumerals : Role::Numerals,
                                   {(n.box.left + n.box.right) / 2, n.box.bottom}, n.text, n.size,
                                   Anchor::Middle, false, n.summer ? kSummerColour : 0);
        numeral.hour = n.hour;
        face.elements.push_back(numeral);
        face.numeralBoxes.push_back(n.box);
        face.numeralSizeMm = std::max(face.numeralSizeMm, n.size);
        face.smallestNumeralMm =
            face.smallestNumeralMm == 0 ? n.size : std::min(face.smallestNumeralMm, n.size);
    }

    if (in.drawSubstyle) {
        if (const auto sub = Piece(in.substyleThrough, in.substyleDirection, !in.root,
                                   -std::numeric_limits<double>::infinity(),
                                   std::numeric_limits<double>::infinity(), face.inner)) {
            Element e = MakeLine(Role::Substyle, sub->first, sub->second, kSubstyleStrokeMm);
            e.dashMm = kSubstyleDashMm;
            face.elements.push_back(e);
        }
    }
    if (rootOn) AddCrossMark(face.elements, *in.root, plate);
    if ((in.markFoot || !rootOn) && plate.Contains(in.foot)) {
        AddCrossMark(face.elements, in.foot, plate);
    }
    return face;
}

}  // namespace sundial::plan
