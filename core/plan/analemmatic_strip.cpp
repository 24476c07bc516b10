#include "core/plan/analemmatic_strip.h"

#include <algorithm>
#include <cmath>

#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "core/site/number_text.h"

namespace sundial::plan {

namespace {

constexpr const char* kDegree = "\u00b0";

std::vector<std::string> SettingOutLines(const AnalemmaticStripInput& in) {
    const SiteState& site = in.site;
    const bool south = site.Latitude < 0;
    const AnalemmaticFrame& f = in.frame;
    const engine::Site at = EngineSite(site);
    // Minutes the sun crosses the meridian here before it crosses the zone's.
    const long lead = std::lround(4 * (at.longitudeEastDeg - 15 * at.zoneHours));
    const std::string noon = south ? "due north" : "due south";
    std::string longitude =
        lead == 0 ? "The sun is " + noon + " here when it is on the zone's meridian"
                  : "The sun is " + noon + " here " + std::to_string(std::labs(lead)) + " min " +
                        (lead > 0 ? "before" : "after") + " it is on the zone's meridian";
    return {
        "Latitude " + NumberText(std::fabs(site.Latitude)) + kDegree + (south ? " S" : " N") +
            ", longitude " + NumberText(std::fabs(site.Longitude)) + kDegree +
            (site.Longitude < 0 ? " E" : " W") + "; clock time of zone " +
            ZoneText(site.UtcOffset) + ".",
        "Ellipse: " + MmText(f.majorMm) + " mm east and west of the centre, " + MmText(f.minorMm) +
            " mm north and south; the ground level.",
        "Setting out: the centre is the cross on the date scale, " + MmText(f.centre.x) +
            " mm from the drawing's left edge and " + MmText(f.centre.y) + " mm from its top.",
        "Lay the date scale along true north, the arrow to the north: the shadow of a plumb line",
        "at the sun's noon gives it; a compass is off by the magnetic variation.",
        "Reading it: stand upright on today's date, feet together; your shadow crosses the ellipse",
        "at the hour. A person of any height will do, as will an upright pole.",
        longitude + "; the hour points allow for it.",
        "In summer time add an hour." +
            (in.options.madeOn.empty() ? std::string() : " Made " + in.options.madeOn + "."),
    };
}

}  // namespace

void AddAnalemmaticStrip(const AnalemmaticStripInput& in, double topMm, Drawing& drawing) {
    const double size = std::clamp(0.008 * drawing.widthMm, 3.5, 25.0);
    const double leading = 1.6 * size;
    std::vector<Element> out;
    double y = topMm + kCapHeight * size * 1.25;
    out.push_back(MakeText(Role::Title, {0, y}, "Analemmatic dial for " + TitlePlace(in.site),
                           size * 1.25, Anchor::Start, true));
    // The bar is 100 mm whatever the dial's size: its captions keep to it.
    const double barText = std::min(0.8 * size, 4.0);
    const double barLeft =
        std::max(drawing.widthMm - kScaleBarMm, TextBox(out.back()).right + 3 * size);
    out.push_back(MakeText(Role::Title, {barLeft, topMm + kCapHeight * size},
                           "Scale 1:1, the bar is 100 mm", barText, Anchor::Start));
    for (Element& e : ScaleBar({barLeft, topMm + 1.5 * kCapHeight * size}, barText, Role::Title)) {
        out.push_back(std::move(e));
    }
    y += 0.5 * leading;
    for (const std::string& line : SettingOutLines(in)) {
        y += leading;
        out.push_back(MakeText(Role::SettingOut, {0, y}, line, size, Anchor::Start));
    }

    // Clock time = the dial's time - (the sun ahead of mean time).
    y += leading * 1.5;
    const double zone = EngineSite(in.site).zoneHours;
    AppendEquationTable(
        [&in, zone](int month, int day) -> std::optional<double> {
            const auto d = DayOfYear(in.sun.year(), {month, day});
            return in.sun.AtClock(*d, 12, zone).equationOfTimeMin;
        },
        size, leading, y, out);
    AppendGrowing(out, drawing);
}

}  // namespace sundial::plan
