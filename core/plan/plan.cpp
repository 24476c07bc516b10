#include "core/plan/plan.h"

#include <algorithm>
#include <cmath>

#include "core/plan/date_lines.h"
#include "core/plan/dial_face.h"
#include "core/plan/gnomon_plate.h"
#include "core/plan/hour_lines.h"
#include "core/plan/labels.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "core/plan/wall_frame.h"

namespace sundial::plan {

namespace {

constexpr double kOutlineStrokeMm = 0.35;
constexpr double kDateStrokeMm = 0.35;
constexpr std::uint32_t kDateColour = 0x1f4fbf;
constexpr std::uint32_t kNoonColour = 0xb22222;
constexpr double kStripGapMm = 10;  // between the plate and the title strip

bool Within(double value, double low, double high) {
    return value >= low && value <= high;  // false for NaN
}

std::string LengthRange(const char* what, double low, double high) {
    return std::string("The ") + what + " must be from " + MmText(low) + " to " + MmText(high) +
           " mm.";
}

double StyleLength(const PlanOptions& o) {
    if (o.styleMm > 0) return o.styleMm;
    if (o.nodusMm > 0) return o.nodusMm;
    return std::clamp(std::round(std::min(o.widthMm, o.heightMm) / 4), kMinGnomonMm, kMaxGnomonMm);
}

std::vector<std::vector<Point>> AllRuns(const std::vector<std::vector<std::vector<Point>>>& paths) {
    std::vector<std::vector<Point>> runs;
    for (const auto& p : paths) runs.insert(runs.end(), p.begin(), p.end());
    return runs;
}

}  // namespace

std::optional<std::string> CheckPlanOptions(const PlanOptions& o) {
    if (!Within(o.widthMm, kMinPlateMm, kMaxPlateMm)) {
        return LengthRange("plate's width", kMinPlateMm, kMaxPlateMm);
    }
    if (!Within(o.heightMm, kMinPlateMm, kMaxPlateMm)) {
        return LengthRange("plate's height", kMinPlateMm, kMaxPlateMm);
    }
    if (o.root) {
        // On the bottom edge no line would fall on the plate: lines run down.
        if (!Within(o.root->x, 0, o.widthMm) || !Within(o.root->y, 0, o.heightMm) ||
            o.root->y >= o.heightMm) {
            return "The gnomon's root must lie on the plate, above its bottom edge: x from 0 to " +
                   MmText(o.widthMm) + " mm, y from 0 to less than " + MmText(o.heightMm) + " mm.";
        }
    }
    const bool needsNodus = o.dateLines || o.noonCurve;
    if ((needsNodus || o.nodusMm != 0) && !Within(o.nodusMm, kMinGnomonMm, kMaxGnomonMm)) {
        return LengthRange("nodus distance", kMinGnomonMm, kMaxGnomonMm);
    }
    if (o.styleMm != 0 && !Within(o.styleMm, kMinGnomonMm, kMaxGnomonMm)) {
        return LengthRange("style's length", kMinGnomonMm, kMaxGnomonMm);
    }
    if (o.styleMm != 0 && o.nodusMm > o.styleMm) {
        return "The style must reach the nodus: make it at least " + MmText(o.nodusMm) +
               " mm long.";
    }
    if (o.monthLines && !o.dateLines) return std::string("The month lines go with the date lines.");
    return std::nullopt;
}

GnomonSize SizeGnomon(double styleMm, float gnomonAngleDeg) {
    const double g = DegToRad(gnomonAngleDeg);
    // The gnomon dialog's sides for a measured length along the wall.
    const double along = styleMm * std::cos(g);
    return {styleMm, along, along * std::tan(g), gnomonAngleDeg};
}

std::string NumeralText(int hour, NumeralStyle style) {
    static constexpr const char* kRoman[12] = {"XII", "I",   "II",   "III", "IV", "V",
                                               "VI",  "VII", "VIII", "IX",  "X",  "XI"};
    switch (style) {
        case NumeralStyle::Roman:
            return kRoman[((hour % 12) + 12) % 12];
        case NumeralStyle::Arabic:
            return std::to_string(hour);
        case NumeralStyle::None:
            break;
    }
    return "";
}

PlanResult BuildPlan(const SiteState& site, const PlanOptions& options,
                     const std::vector<SunSample>& samples) {
    if (const auto message = CheckPlanOptions(options)) {
        return {PlanStatus::BadOptions, *message, std::nullopt};
    }
    try {
        const DialGeometry dial = ComputeDial(site);
        Plan plan;
        const double w = options.widthMm, h = options.heightMm;
        plan.plateWidthMm = w;
        plan.plateHeightMm = h;
        plan.root = options.root.value_or(Point{w / 2, 0});
        plan.dial.widthMm = w;
        plan.dial.heightMm = h;
        plan.dial.elements.push_back(MakePath(Role::Outline, Shape::Polygon,
                                              {{0, 0}, {w, 0}, {w, h}, {0, h}}, kOutlineStrokeMm));

        const FaceLayout face =
            LayoutFace(HourLinesFor(site, dial, options.halfHours, options.quarterHours),
                       SubstyleAngleDeg(dial), plan.root, w, h, options.numerals);
        plan.numeralSizeMm = face.numeralSizeMm;
        plan.dial.elements.insert(plan.dial.elements.end(), face.elements.begin(),
                                  face.elements.end());
        if (!face.fits) {
            plan.notes.push_back("The numerals are at their smallest (" + MmText(kMinNumeralMm) +
                                 " mm) and still crowd: a larger plate gives them room.");
        }
        if (std::none_of(face.elements.begin(), face.elements.end(),
                         [](const Element& e) { return e.role == Role::HourLines; })) {
            plan.notes.push_back("No hour line falls on the plate: move the gnomon's root.");
        }

        // Labels keep to the lines' area, off the numerals; they would rather
        // not cross a line.
        LabelPlacer placer(face.inner.Inset(0.5));
        for (const Rect& box : face.numeralBoxes) placer.AddBox(box);
        for (const Element& e : face.elements) {
            if (e.shape == Shape::Line) placer.AddSoft(e.points[0], e.points[1]);
        }
        const double labelSize = face.numeralSizeMm > 0
                                     ? std::max(2.5, 0.4 * face.numeralSizeMm)
                                     : std::clamp(0.02 * std::min(w, h), 2.5, 20.0);
        const WallFrame frame(site);

        std::vector<DateCurve> curves;
        std::vector<std::vector<std::vector<Point>>> paths;
        if (options.dateLines) {
            curves = DateCurvesFor(options.monthLines);
            for (const DateCurve& c : curves) {
                paths.push_back(
                    DayPath(frame, options.nodusMm, plan.root, c.declinationDeg, face.inner));
            }
        }
        std::vector<std::vector<Point>> noon;
        if (options.noonCurve && !samples.empty()) {
            noon = NoonPath(frame, options.nodusMm, plan.root, samples, face.inner);
        }
        placer.AddBlocking(AllRuns(paths));
        placer.AddBlocking(noon);

        for (size_t i = 0; i < curves.size(); ++i) {
            if (paths[i].empty()) {
                plan.notes.push_back("The nodus's shadow on " + curves[i].label +
                                     " does not fall on the plate.");
                continue;
            }
            for (const auto& run : paths[i]) {
                Element line =
                    MakePath(Role::DateLines, Shape::Polyline, run, kDateStrokeMm, kDateColour);
                line.text = curves[i].label;
                plan.dial.elements.push_back(std::move(line));
            }
            if (auto label = placer.Place(paths[i], curves[i].label, labelSize, Role::DateLines,
                                          kDateColour)) {
                plan.dial.elements.push_back(std::move(*label));
            }
        }
        if (!noon.empty()) {
            for (const auto& run : noon) {
                Element line =
                    MakePath(Role::NoonCurve, Shape::Polyline, run, kDateStrokeMm, kNoonColour);
                line.text = "12:00";
                plan.dial.elements.push_back(std::move(line));
            }
            if (auto label = placer.Place(noon, "12:00", labelSize, Role::NoonCurve, kNoonColour)) {
                plan.dial.elements.push_back(std::move(*label));
            }
        } else if (options.noonCurve && !samples.empty()) {
            plan.notes.push_back("The nodus's shadow at 12:00 does not fall on the plate.");
        }

        plan.gnomonSize = SizeGnomon(StyleLength(options), dial.GnomonAngle);
        AddTitleStrip({site, dial, options, plan.root, plan.gnomonSize, samples}, h + kStripGapMm,
                      plan.dial);
        plan.gnomon = GnomonPlateDrawing(plan.gnomonSize, options.nodusMm, site.PlaceName);
        return {PlanStatus::Built, "", std::move(plan)};
    } catch (const ArithmeticFault& fault) {
        return {PlanStatus::ArithmeticFault, fault.what(), std::nullopt};
    }
}

}  // namespace sundial::plan
