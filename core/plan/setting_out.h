// How to set the finished dial up, as a page of its own: which way it faces
// and how to find that by the sun, level or plumb, the style's angle to check,
// the clock times of true noon through the year, and the check on the day.
// The page is a drawing in millimetres (origin top left, y down) at most
// kSettingOutWidthMm wide, so that it prints at full size on A4 or Letter.
#pragma once

#include <string>
#include <vector>

#include "core/engine/dial.h"
#include "core/plan/drawing.h"
#include "core/plan/plan.h"
#include "core/site/site_state.h"

namespace sundial::plan {

inline constexpr double kSettingOutWidthMm = 180;

// The clock time the sun crosses the site's meridian (true noon) on one day.
struct NoonTime {
    int month = 1;  // 1..12
    int day = 1;
    double clockHours = 12;  // on a clock keeping UTC + zone, standard time
};

// True noon on the 1st and 15th of every month of `year` at longitude
// `longitudeWestDeg` (west positive) on a clock keeping UTC + `zoneHours`,
// from the sun's equation of time. Empty outside the ephemeris's years.
std::vector<NoonTime> TrueNoonTimes(double longitudeWestDeg, double zoneHours, int year);

struct SettingOutInput {
    const SiteState& site;  // latitude south negative, longitude west positive
    const engine::Dial& dial;
    const PlanOptions& options;
    GnomonSize gnomon;
};

Drawing SettingOutDrawing(const SettingOutInput& in);

}  // namespace sundial::plan
