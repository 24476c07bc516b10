#include "core/plan/dial_face.h"

#include <algorithm>
#include <cmath>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"

namespace sundial::plan {

namespace {

constexpr double kSubstyleStrokeMm = 0.35;
constexpr double kSubstyleDashMm = 3;
constexpr double kRootMarkMm = 5;  // half the root cross's arms
constexpr double kRootCircleMm = 2;
constexpr double kShortestLineMm = 1;  // a line shorter than this is not on the plate
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

void AddRootMark(std::vector<Element>& out, Point root, const Rect& plate) {
    const Point ends[2][2] = {{{root.x - kRootMarkMm, root.y}, {root.x + kRootMarkMm, root.y}},
                              {{root.x, root.y - kRootMarkMm}, {root.x, root.y + kRootMarkMm}}};
    for (const auto& arm : ends) {
        if (const auto piece = ClipSegment(arm[0], arm[1], plate)) {
            out.push_back(MakeLine(Role::Substyle, piece->first, piece->second, kSubstyleStrokeMm));
        }
    }
    if (plate.Inset(kRootCircleMm).Contains(root)) {
        Element circle = MakePath(Role::Substyle, Shape::Circle, {root}, kSubstyleStrokeMm);
        circle.radiusMm = kRootCircleMm;
        out.push_back(circle);
    }
}

FaceLayout Attempt(const std::vector<HourLine>& lines, float substyleDeg, Point root,
                   const Rect& plate, NumeralStyle style, double size) {
    FaceLayout face;
    const bool numerals = style != NumeralStyle::None;
    face.numeralSizeMm = numerals ? size : 0;

    double widest = 0;
    if (numerals) {
        for (const HourLine& line : lines) {
            if (line.role != Role::HourLines) continue;
            widest = std::max(
                widest, TextWidthMm(NumeralText(static_cast<int>(line.hour), style), size, false));
        }
    }
    const double gap = numerals ? NumeralGap(size) : 0;
    const double sideBand = numerals ? widest + 2 * gap : 0;
    const double bottomBand = numerals ? kCapHeight * size + 2 * gap : 0;
    // Lines only run down from the root, so the top needs no band.
    face.inner = {plate.left + std::min(sideBand, root.x - plate.left), plate.top,
                  plate.right - std::min(sideBand, plate.right - root.x),
                  plate.bottom - std::min(bottomBand, plate.bottom - root.y)};
    // Numerals centre on the middle of the band.
    const Rect centres = {(plate.left + face.inner.left) / 2, plate.top,
                          (plate.right + face.inner.right) / 2,
                          (plate.bottom + face.inner.bottom) / 2};

    for (const HourLine& line : lines) {
        const Point dir = DirectionOnPlate(line.angleDeg);
        const double length = RayExit(root, dir, face.inner);
        if (length < kShortestLineMm) continue;
        const Point end = Along(root, dir, length);
        if (line.role == Role::HourLines) {
            Element e = MakeLine(line.role, root, end, kHourStrokeMm);
            e.hour = line.hour;
            face.elements.push_back(e);
        } else {
            // Quarter hours only in the outer half, where the lines have room.
            const bool quarter = line.role == Role::QuarterHourLines;
            Element e =
                MakeLine(line.role, quarter ? Along(root, dir, length / 2) : root, end,
                         quarter ? kQuarterHourStrokeMm : kHalfHourStrokeMm, kPartHourColour);
            e.hour = line.hour;
            face.elements.push_back(e);
        }
        if (!numerals || line.role != Role::HourLines) continue;

        const std::string text = NumeralText(static_cast<int>(line.hour), style);
        const double width = TextWidthMm(text, size, false);
        const double height = kCapHeight * size;
        const Point c = Along(root, dir, RayExit(root, dir, centres));
        const Rect box = ClampInto(
            {c.x - width / 2, c.y - height / 2, c.x + width / 2, c.y + height / 2}, plate);
        Element numeral = MakeText(Role::Numerals, {(box.left + box.right) / 2, box.bottom}, text,
                                   size, Anchor::Middle);
        numeral.hour = line.hour;
        face.elements.push_back(numeral);
        face.numeralBoxes.push_back(box);
    }

    const Point subDir = DirectionOnPlate(substyleDeg);
    const double subLength = RayExit(root, subDir, face.inner);
    if (subLength >= kShortestLineMm) {
        Element sub =
            MakeLine(Role::Substyle, root, Along(root, subDir, subLength), kSubstyleStrokeMm);
        sub.dashMm = kSubstyleDashMm;
        face.elements.push_back(sub);
    }
    AddRootMark(face.elements, root, plate);

    // Each numeral on the plate, out of the lines' area, clear of the others.
    const Rect linesArea = face.inner.Inset(1e-6);
    for (size_t i = 0; i < face.numeralBoxes.size() && face.fits; ++i) {
        const Rect& a = face.numeralBoxes[i];
        if (!plate.Inset(gap / 2).ContainsRect(a, 1e-9) || Overlaps(a, linesArea)) {
            face.fits = false;
        }
        for (size_t j = i + 1; j < face.numeralBoxes.size(); ++j) {
            if (Overlaps(a, face.numeralBoxes[j], gap)) face.fits = false;
        }
    }
    return face;
}

}  // namespace

FaceLayout LayoutFace(const std::vector<HourLine>& lines, float substyleDeg, Point root,
                      double widthMm, double heightMm, NumeralStyle style) {
    const Rect plate{0, 0, widthMm, heightMm};
    double size = std::clamp(0.05 * std::min(widthMm, heightMm), kMinNumeralMm, kMaxNumeralMm);
    for (;;) {
        FaceLayout face = Attempt(lines, substyleDeg, root, plate, style, size);
        if (face.fits || style == NumeralStyle::None || size <= kMinNumeralMm) return face;
        size = std::max(kMinNumeralMm, size * 0.9);
    }
}

}  // namespace sundial::plan
