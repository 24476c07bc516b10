#include "core/plan/winter_face.h"

#include <algorithm>
#include <cmath>

#include "core/plan/gnomon_plate.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"

namespace sundial::plan {

namespace {

constexpr double kHeadingMm = 4.5;
constexpr double kGapMm = 12;

std::string Heading(bool upper, bool south) {
    // The upper face looks at the raised pole: lit while the sun is on its
    // side of the equator.
    const bool marchToSeptember = upper != south;
    return std::string(upper ? "SUMMER FACE: the upper side, seen from above"
                             : "WINTER FACE: the lower side, seen from below") +
           (marchToSeptember ? "; lit from the March to the September equinox"
                             : "; lit from the September to the March equinox");
}

}  // namespace

void AddWinterFace(const SiteState& site, const PlanOptions& options,
                   const std::vector<SunSample>& samples, Plan& plan) {
    if (FormOf(plan.gnomonSize) != GnomonForm::Rod || plan.plane.reclineDeg <= 0 ||
        plan.rootAtInfinity) {
        return;
    }
    const bool south = site.Latitude < 0;
    const double w = plan.plateWidthMm;
    // The same plate turned over: the face opposite, whose frame has the
    // same down and the opposite right.
    PlanOptions lower = options;
    lower.plane =
        engine::Plane{std::fmod(plan.plane.bearingDeg + 180, 360), -plan.plane.reclineDeg};
    lower.root = Point{w - plan.root.x, plan.root.y};
    lower.foot.reset();
    lower.nodusHeightMm = 0;
    if (options.foot) lower.nodusMm = plan.gnomonSize.styleMm;
    const PlanResult made = BuildPlan(site, lower, samples);
    if (!made.plan) {
        plan.notes.push_back("The winter face could not be drawn: " + made.message);
        return;
    }
    // Each face captioned alike, just under its plate: the upper one in the
    // gap above its title strip.
    const double captionMm = 0.8 * kHeadingMm;
    const auto caption = [&](double plateTop, bool upper) {
        plan.dial.elements.push_back(MakeText(Role::Title, {0, plateTop + plan.plateHeightMm + 6},
                                              Heading(upper, south), captionMm, Anchor::Start,
                                              true));
    };
    caption(0, true);
    const double top = plan.dial.heightMm + kGapMm;
    caption(top, false);
    for (Element e : made.plan->dial.elements) {
        if (e.role == Role::Title || e.role == Role::EquationTable || e.role == Role::Legend) {
            continue;
        }
        for (Point& p : e.points) p.y += top;
        plan.dial.elements.push_back(std::move(e));
    }
    plan.dial.heightMm = top + plan.plateHeightMm + 6 + 2;
    plan.dial.widthMm =
        std::max(plan.dial.widthMm, TextWidthMm(Heading(false, south), captionMm, true));
    for (const std::string& note : made.plan->notes) plan.notes.push_back("Winter face: " + note);
}

}  // namespace sundial::plan
