#include "core/plan/summer_ring.h"

#include <cmath>

#include "core/sun/clock_zone.h"

namespace sundial::plan {

namespace {

const char* kHoursOn[] = {"", "an hour on", "two hours on", "three hours on"};

}  // namespace

SummerRing SummerRingFor(const PlanOptions& o) {
    SummerRing ring;
    if (!o.extras.summerNumerals) return ring;
    if (!o.zone) {
        ring.hoursOn = 1;
        ring.legend = "Summer time: the clock an hour on";
        return ring;
    }
    const ZoneYear& zone = *o.zone;
    const std::string year = std::to_string(zone.year);
    if (!zone.summerHours) {
        ring.note =
            zone.name + " keeps no summer time in " + year + ": the summer numerals are left out.";
        return ring;
    }
    const double step = *zone.summerHours - zone.standardHours;
    // A numeral stands for a whole hour: a summer time a part of an hour on
    // has no numerals to show it.
    if (step != std::round(step) || step < 1 || step > 3) {
        ring.note = zone.name + "'s summer time in " + year + " is not whole hours on from " +
                    OffsetText(zone.standardHours) + ": the summer numerals are left out.";
        return ring;
    }
    ring.hoursOn = static_cast<int>(step);
    ring.legend =
        "Summer time, " + OffsetText(*zone.summerHours) + ": the clock " + kHoursOn[*ring.hoursOn];
    return ring;
}

}  // namespace sundial::plan
