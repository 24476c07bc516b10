#include "core/plan/extra_line_options.h"

namespace sundial::plan {

std::optional<std::string> CheckExtraLineOptions(const ExtraLineOptions& o) {
    if (o.NeedsYear() && (o.year < kFirstCurveYear || o.year > kLastCurveYear)) {
        return "The year must be from " + std::to_string(kFirstCurveYear) + " to " +
               std::to_string(kLastCurveYear) + ".";
    }
    for (const MonthDay& d : o.dates) {
        if (!DayOfYear(o.year, d)) {
            return "The date line " + std::to_string(d.month) + "-" + std::to_string(d.day) +
                   " is no date of " + std::to_string(o.year) + ".";
        }
    }
    if ((o.clockTimeHalves || o.clockTimeOnly) && !o.clockTime) {
        return std::string(
            "The half hours' curves and the curves alone go with the clock-time "
            "curves.");
    }
    if (!(o.styleThicknessMm >= 0)) {
        return std::string("The style's thickness must be 0 mm or more.");
    }
    return std::nullopt;
}

}  // namespace sundial::plan
