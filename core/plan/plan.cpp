#include "core/plan/plan.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/font/text_fonts.h"
#include "core/lines/thick_style.h"
#include "core/plan/analemmatic.h"
#include "core/plan/clip.h"
#include "core/plan/date_lines.h"
#include "core/plan/dial_face.h"
#include "core/plan/extra_lines.h"
#include "core/plan/gnomon_plate.h"
#include "core/plan/hour_lines.h"
#include "core/plan/labels.h"
#include "core/plan/setting_out.h"
#include "core/plan/summer_ring.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "core/plan/winter_face.h"

namespace sundial::plan {

namespace {

constexpr double kOutlineStrokeMm = 0.35;
constexpr double kDateStrokeMm = 0.35;
constexpr std::uint32_t kDateColour = 0x1f4fbf;
constexpr std::uint32_t kNoonColour = 0xb22222;
constexpr double kStripGapMm = 10;  // between the plate and the title strip
// How far off the plate a root may lie, in plate sizes.
constexpr double kRootReachPlates = 100;
// A style this near square to the plate has no substyle worth drawing.
constexpr double kUprightStyleDeg = 89.9;
// Standing in for the nodus when only the hour lines need the style.
constexpr double kNominalNodusMm = 100;
constexpr double kLabelMarginMm = 1;
// A face reclined this far or more (a horizontal one is 90) has its default
// root this many plate sizes in from the edge.
constexpr double kUpwardFaceDeg = 45;
constexpr double kRootInsetPlates = 0.2;  // between a label and the plate's edge
// A style lower than this over the plate has its nodus placed by height.
constexpr double kLowStyleDeg = 10;

bool Within(double value, double low, double high) {
    return value >= low && value <= high;  // false for NaN
}

std::string LengthRange(const char* what, double low, double high) {
    return std::string("The ") + what + " must be from " + MmText(low) + " to " + MmText(high) +
           " mm.";
}

// The unit step from `from` toward `to`; nothing where they coincide.
std::optional<Point> Toward(Point from, Point to) {
    const double d = Distance(from, to);
    if (!(d > 0)) return std::nullopt;
    return Point{(to.x - from.x) / d, (to.y - from.y) / d};
}

// A low style with nothing placing its gnomon: its nodus is set by height
// over the plate's centre (see DialFor).
bool NodusByHeight(const PlanOptions& o, const engine::Dial& dial) {
    return !o.root && !o.foot && o.nodusMm == 0 && dial.Root() &&
           dial.StyleHeightDeg() < kLowStyleDeg;
}

double StyleLength(const PlanOptions& o, const engine::Dial& dial) {
    if (o.styleMm > 0) return o.styleMm;
    if (o.nodusMm > 0) return o.nodusMm;
    if (NodusByHeight(o, dial)) {
        // On past the nodus to the plate's far edge: the style's shadow
        // then reaches every hour line over the plate, whatever the season.
        const auto root = dial.Root();
        const auto d = dial.NodusDistanceMm();
        const Point r{root->x, root->y}, foot{dial.gnomon().foot.x, dial.gnomon().foot.y};
        if (const auto along = Toward(r, foot); d && along) {
            const double toFoot = Distance(r, foot);
            const double beyond = RayExit(foot, *along, {0, 0, o.widthMm, o.heightMm});
            return *d * (toFoot + beyond) / toFoot;
        }
    }
    if (o.foot) {
        if (const auto d = dial.NodusDistanceMm()) return *d;
    }
    return std::clamp(std::round(std::min(o.widthMm, o.heightMm) / 4), kMinGnomonMm, kMaxGnomonMm);
}

std::vector<std::vector<Point>> AllRuns(const std::vector<std::vector<std::vector<Point>>>& paths) {
    std::vector<std::vector<Point>> runs;
    for (const auto& p : paths) runs.insert(runs.end(), p.begin(), p.end());
    return runs;
}

// The plane as the options give it, or a wall facing the site's bearing.
// The bearing from the declination and side, as the run takes them.
engine::Plane PlaneOf(const SiteState& site, const PlanOptions& o) {
    if (o.plane) return *o.plane;
    const double d = site.WallDeclination;
    if (site.DeclinationSide == "West") return engine::VerticalPlane(180.0 + d);
    if (site.DeclinationSide == "East") return engine::VerticalPlane(180.0 - d);
    return engine::VerticalPlane(180);
}

// The default root: where the plate's centre looks back from along the noon
// line, on the plate's edge, so that the lines fan across the plate; the
// centre itself for a style near square to the plate, whose lines go all
// round.
Point DefaultRoot(const engine::Site& site, const engine::Plane& plane, double w, double h) {
    const engine::Dial probe(site, plane, {{w / 2, h / 2}, kNominalNodusMm});
    const Point centre{w / 2, h / 2};
    if (probe.StyleHeightDeg() > 60) return centre;
    const auto noon = probe.HourLine(0);
    if (!noon) return {w / 2, 0};
    const Point back{-noon->direction.x, -noon->direction.y};
    double t = RayExit(centre, back, {0, 0, w, h});
    // A face looking up is lit for more than half the day: its lines fan
    // beyond square to the noon line, and a root on the edge would lay the
    // early and late hours along it with no room for their numerals.
    if (plane.reclineDeg >= kUpwardFaceDeg) t -= kRootInsetPlates * std::min(w, h);
    return {centre.x + t * back.x, centre.y + t * back.y};
}

// How far along the substyle from a root off the plate the gnomon's foot
// reaches the plate's edge; 0 for a root on the plate, or a foot that never
// reaches it.
double RootCutMm(const engine::PlatePoint& root, Point foot, const GnomonSize& size, double w,
                 double h) {
    const Point r = ToPoint(root);
    const Rect plate{0, 0, w, h};
    const auto along = Toward(r, foot);
    if (plate.Contains(r, 1e-6) || !along) return 0;
    const Point end{r.x + along->x * size.alongWallMm, r.y + along->y * size.alongWallMm};
    const auto piece = ClipSegment(r, end, plate);
    return piece ? Distance(r, piece->first) : 0;
}

}  // namespace

engine::Site EngineSite(const SiteState& site) {
    return {site.Latitude, -static_cast<double>(site.Longitude), site.UtcOffset};
}

std::optional<engine::Dial> DialFor(const SiteState& state, const PlanOptions& o) {
    const engine::Site site = EngineSite(state);
    const engine::Plane plane = PlaneOf(state, o);
    if (o.foot) return engine::Dial(site, plane, {{o.foot->x, o.foot->y}, o.nodusHeightMm});
    const double nodus = o.nodusMm > 0 ? o.nodusMm : kNominalNodusMm;
    if (o.root) {
        const auto g = engine::GnomonFromRoot(site, plane, {o.root->x, o.root->y}, nodus);
        if (!g) return std::nullopt;
        return engine::Dial(site, plane, *g);
    }
    const engine::Dial probe(site, plane, {{o.widthMm / 2, o.heightMm / 2}, kNominalNodusMm});
    // Parallel hour lines, or nearly so: the nodus over the plate's centre,
    // as high as a quarter of the plate, which spreads 9 to 15 o'clock over
    // half of it. A root on the edge would crowd a low style's lines into a
    // sliver and leave its nodus a few millimetres high; this one lies off
    // the plate, and the gnomon is cut at the plate's edge.
    if (!probe.Root() || NodusByHeight(o, probe)) {
        return engine::Dial(site, plane,
                            {{o.widthMm / 2, o.heightMm / 2}, std::min(o.widthMm, o.heightMm) / 4});
    }
    const Point root = DefaultRoot(site, plane, o.widthMm, o.heightMm);
    return engine::Dial(site, plane, *engine::GnomonFromRoot(site, plane, {root.x, root.y}, nodus));
}

std::optional<std::string> CheckPlanOptions(const PlanOptions& o) {
    if (o.analemmaticMajorMm) return CheckAnalemmaticOptions(o);
    if (!Within(o.widthMm, kMinPlateMm, kMaxPlateMm)) {
        return LengthRange("plate's width", kMinPlateMm, kMaxPlateMm);
    }
    if (!Within(o.heightMm, kMinPlateMm, kMaxPlateMm)) {
        return LengthRange("plate's height", kMinPlateMm, kMaxPlateMm);
    }
    if (o.plane) {
        if (auto message = engine::CheckPlane(*o.plane)) return message;
    }
    if (o.root && o.foot) {
        return std::string("Place the gnomon either by its root or by the nodus's foot, not both.");
    }
    // A root may lie off the plate, though not so far that nothing of the
    // dial could reach it.
    const double reach = kRootReachPlates * std::max(o.widthMm, o.heightMm);
    if (o.root && (!Within(o.root->x, -reach, o.widthMm + reach) ||
                   !Within(o.root->y, -reach, o.heightMm + reach))) {
        return "The gnomon's root must lie within " + MmText(reach) + " mm of the plate.";
    }
    if (o.foot) {
        if (!Within(o.foot->x, 0, o.widthMm) || !Within(o.foot->y, 0, o.heightMm)) {
            return "The nodus's foot must lie on the plate: x from 0 to " + MmText(o.widthMm) +
                   " mm, y from 0 to " + MmText(o.heightMm) + " mm.";
        }
        if (!Within(o.nodusHeightMm, kMinGnomonMm, kMaxGnomonMm)) {
            return LengthRange("nodus's height", kMinGnomonMm, kMaxGnomonMm);
        }
    } else if (o.nodusHeightMm != 0) {
        return std::string("The nodus's height goes with its foot.");
    }
    if (auto message = CheckExtraLineOptions(o.extras)) return message;
    const bool needsNodus = (o.dateLines || o.noonCurve || o.extras.NeedsNodus()) && !o.foot;
    if ((needsNodus || o.nodusMm != 0) && !Within(o.nodusMm, kMinGnomonMm, kMaxGnomonMm)) {
        return LengthRange("nodus distance", kMinGnomonMm, kMaxGnomonMm);
    }
    if (o.foot && o.nodusMm != 0) {
        return std::string("The nodus is placed by its foot and height: leave out its distance.");
    }
    if (o.styleMm != 0 && !Within(o.styleMm, kMinGnomonMm, kMaxGnomonMm)) {
        return LengthRange("style's length", kMinGnomonMm, kMaxGnomonMm);
    }
    if (o.styleMm != 0 && o.nodusMm > o.styleMm) {
        return "The style must reach the nodus: make it at least " + MmText(o.nodusMm) +
               " mm long.";
    }
    if (o.monthLines && !o.dateLines) return std::string("The month lines go with the date lines.");
    if (o.toSolstices && !o.dateLines) {
        return std::string("Hour lines stop at the solstices only with the date lines.");
    }
    return std::nullopt;
}

GnomonSize SizeGnomon(double styleMm, double gnomonAngleDeg) {
    const double g = engine::Rad(gnomonAngleDeg);
    // The gnomon dialog's sides for a measured length along the wall.
    // A style square to the plate leaves cos g a rounding error from 0: what
    // is that near nothing is written as nothing.
    const double along = std::fabs(std::cos(g)) < 1e-9 ? 0 : styleMm * std::cos(g);
    const double out = along == 0 ? styleMm : along * std::tan(g);
    return {styleMm, along, out, gnomonAngleDeg};
}

std::string NumeralText(int hour, NumeralStyle style) {
    hour = ((hour % 24) + 24) % 24;
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
    if (options.analemmaticMajorMm) return BuildAnalemmaticPlan(site, options);
    if (const auto message = CheckPlanOptions(options)) {
        return {PlanStatus::BadOptions, *message, std::nullopt};
    }
    if (const auto message = engine::CheckSite(EngineSite(site))) {
        return {PlanStatus::BadOptions, *message, std::nullopt};
    }
    // Every text's box is measured with the face: without it there is no layout.
    if (auto message = font::TextFontProblem()) {
        return {PlanStatus::FontMissing, std::move(*message), std::nullopt};
    }
    const std::optional<engine::Dial> made = DialFor(site, options);
    if (!made) {
        return {PlanStatus::BadOptions,
                "On this plane the style runs parallel to the plate and meets it nowhere: place "
                "the gnomon by the nodus's foot and height instead of its root.",
                std::nullopt};
    }
    if (options.zone) {
        if (const std::string wrong = ZoneDisagreement(*options.zone, site.UtcOffset);
            !wrong.empty()) {
            return {PlanStatus::BadOptions,
                    "The site's zone is not its named zone's: " + wrong + ".", std::nullopt};
        }
    }
    const engine::Dial& dial = *made;
    if (auto message = lines::CheckStyleThickness(dial, options.extras.styleThicknessMm)) {
        return {PlanStatus::BadOptions, *message, std::nullopt};
    }
    Plan plan;
    const double w = options.widthMm, h = options.heightMm;
    plan.plateWidthMm = w;
    plan.plateHeightMm = h;
    plan.plane = dial.plane();
    auto root = dial.Root();
    plan.rootAtInfinity = !root;
    if (root && Rect{0, 0, w, h}.Contains(ToPoint(*root), 1e-6)) {
        // A root given on the edge stays there through the rounding.
        root = engine::PlatePoint{std::clamp(root->x, 0.0, w), std::clamp(root->y, 0.0, h)};
    }
    if (root) plan.root = ToPoint(*root);
    plan.foot = ToPoint(dial.gnomon().foot);
    plan.nodusHeightMm = dial.gnomon().heightMm;
    plan.dial.widthMm = w;
    plan.dial.heightMm = h;
    plan.dial.elements.push_back(MakePath(Role::Outline, Shape::Polygon,
                                          {{0, 0}, {w, 0}, {w, h}, {0, h}}, kOutlineStrokeMm));

    const std::vector<HourLine> lines =
        HourLinesFor(dial, options.halfHours, options.quarterHours, options.extras.tenMinutes,
                     options.extras.styleThicknessMm);
    const Point subDir = ToPoint(dial.SubstyleDirection());
    const SummerRing summer = SummerRingFor(options);
    if (!summer.note.empty()) plan.notes.push_back(summer.note);
    const FaceLayout face =
        LayoutFace({lines, root ? std::optional<Point>(ToPoint(*root)) : std::nullopt, plan.foot,
                    options.foot.has_value(), root ? ToPoint(*root) : plan.foot, subDir,
                    dial.StyleHeightDeg() < kUprightStyleDeg, w, h, options.numerals,
                    options.toSolstices, summer.hoursOn.has_value(), summer.hoursOn.value_or(1)});
    plan.numeralSizeMm = face.numeralSizeMm;
    // With clock-time curves alone, the straight lines and their numerals
    // (apparent time) would only mislead.
    const auto straight = [&](const Element& e) {
        return options.extras.clockTimeOnly &&
               (e.role == Role::HourLines || e.role == Role::HalfHourLines ||
                e.role == Role::QuarterHourLines || e.role == Role::TenMinuteLines ||
                e.role == Role::Numerals || e.role == Role::SummerNumerals);
    };
    std::copy_if(face.elements.begin(), face.elements.end(), std::back_inserter(plan.dial.elements),
                 [&](const Element& e) { return !straight(e); });
    if (!options.extras.clockTimeOnly) {
        plan.notes.insert(plan.notes.end(), face.notes.begin(), face.notes.end());
    }
    if (!face.fits) {
        plan.notes.push_back("Some numerals are at their smallest (" + MmText(kMinNumeralMm) +
                             " mm) and still crowd: a larger plate gives them room.");
    }
    const bool noLines = std::none_of(face.elements.begin(), face.elements.end(),
                                      [](const Element& e) { return e.role == Role::HourLines; });
    if (noLines) {
        plan.notes.push_back(lines.empty()
                                 ? std::string("The sun never lights this face at a whole hour.")
                                 : std::string("No hour line falls on the plate: move the "
                                               "gnomon's root or the nodus's foot."));
    }

    // Labels keep to the plate, off the numerals and every line: where the
    // lines crowd, the band the numerals stand in has room between them.
    LabelPlacer placer(Rect{0, 0, w, h}.Inset(kLabelMarginMm));
    for (const Rect& box : face.numeralBoxes) placer.AddBox(box);
    for (const Element& e : face.elements) {
        if (e.role != Role::Outline && !straight(e) &&
            (e.shape == Shape::Line || e.shape == Shape::Polyline)) {
            placer.AddLines({e.points});
        }
    }
    const double labelSize = face.numeralSizeMm > 0 ? std::max(2.5, 0.4 * face.numeralSizeMm)
                                                    : std::clamp(0.02 * std::min(w, h), 2.5, 20.0);

    std::vector<DateCurve> curves;
    std::vector<std::vector<std::vector<Point>>> paths;
    if (options.dateLines) {
        curves = DateCurvesFor(options.monthLines);
        for (const DateCurve& c : curves)
            paths.push_back(DayPath(dial, c.declinationDeg, face.inner));
    }
    std::vector<std::vector<Point>> noon;
    if (options.noonCurve && !samples.empty()) noon = NoonPath(dial, samples, face.inner);
    placer.AddLines(AllRuns(paths));
    placer.AddLines(noon);

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
            line.declinationDeg = curves[i].declinationDeg;
            plan.dial.elements.push_back(std::move(line));
        }
        placer.Ask(paths[i], curves[i].label, "the " + curves[i].label + " line", labelSize,
                   Role::DateLines, kDateColour);
    }
    if (!noon.empty()) {
        for (const auto& run : noon) {
            Element line =
                MakePath(Role::NoonCurve, Shape::Polyline, run, kDateStrokeMm, kNoonColour);
            line.text = "12:00";
            plan.dial.elements.push_back(std::move(line));
        }
        placer.Ask(noon, "12:00", "the 12:00 figure-eight", labelSize, Role::NoonCurve,
                   kNoonColour);
    } else if (options.noonCurve && !samples.empty()) {
        plan.notes.push_back("The nodus's shadow at 12:00 does not fall on the plate.");
    }
    // The sun through the chosen year, once for every curve and date line.
    const std::optional<SunYear> sunYear =
        options.extras.NeedsYear() ? SunYear::For(options.extras.year) : std::nullopt;
    if (sunYear) plan.year = sunYear->year();
    ExtraLines extra = BuildExtraLines(
        {dial, options, sunYear ? &*sunYear : nullptr, face.inner, labelSize, options.numerals},
        placer);
    std::move(extra.elements.begin(), extra.elements.end(), std::back_inserter(plan.dial.elements));
    plan.notes.insert(plan.notes.end(), extra.notes.begin(), extra.notes.end());
    // Every line is known now: each label can keep clear of all of them.
    LabelPlacer::Placed labels = placer.PlaceAll();
    std::move(labels.labels.begin(), labels.labels.end(), std::back_inserter(plan.dial.elements));
    plan.notes.insert(plan.notes.end(), labels.notes.begin(), labels.notes.end());

    const double styleHeight = dial.StyleHeightDeg();
    plan.gnomonSize = root ? SizeGnomon(StyleLength(options, dial), styleHeight)
                           : GnomonSize{StyleLength(options, dial), StyleLength(options, dial),
                                        dial.gnomon().heightMm, 0};
    AddTitleStrip({site, dial, options, plan.gnomonSize, samples}, h + kStripGapMm, plan.dial);
    // The legend explains the drawing; it is never set larger than the title.
    AddLegend(extra.legend, std::min(labelSize, TitleTextMm(w)), plan.dial);
    // A style parallel to the plate marks its nodus by its height.
    const double nodusMark = !root ? dial.gnomon().heightMm
                             : options.foot || NodusByHeight(options, dial)
                                 ? dial.NodusDistanceMm().value_or(0)
                                 : options.nodusMm;
    plan.gnomon = GnomonPlateDrawing(
        {plan.gnomonSize, nodusMark, TitlePlace(site), options.extras.styleThicknessMm,
         dial.plane(), site.Latitude<0, subDir.y> 0,
         root ? RootCutMm(*root, plan.foot, plan.gnomonSize, w, h) : 0});
    AddWinterFace(site, options, samples, plan);
    plan.settingOut = SettingOutDrawing({site, dial, options, plan.gnomonSize});
    if (noLines) return {PlanStatus::NoLines, plan.notes.back(), std::move(plan)};
    return {PlanStatus::Built, "", std::move(plan)};
}

}  // namespace sundial::plan
