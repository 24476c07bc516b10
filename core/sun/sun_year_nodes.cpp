#include "core/sun/sun_year_nodes.h"

#include <chrono>
#include <cmath>

#include "core/sun/clock_time.h"

namespace sundial {

std::optional<std::vector<CentreSun>> WorkOutSunYearNodes(int year) {
    const int days = std::chrono::year{year}.is_leap() ? 366 : 365;
    const int count =
        static_cast<int>(std::ceil(days / kSunYearStepDays)) + 2 * kSunYearMarginNodes + 1;
    if (count != kSunYearNodes) return std::nullopt;
    const ClockTime newYear{year, 1, 1, 0, 0, 0};
    return SunFromCentreEvery(ShiftClock(newYear, kSunYearFirstNodeDay * 24), kSunYearStepDays,
                              count);
}

}  // namespace sundial
