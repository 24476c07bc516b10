#include "core/sun/sun_year_nodes.h"

namespace sundial {

namespace {
#include "carried_sun_years.inc"
}  // namespace

const CentreSun* CarriedSunYearNodes(int year) {
    if (year < kFirstCarriedSunYear || year > kLastCarriedSunYear) return nullptr;
    return kCarriedSunYears[year - kFirstCarriedSunYear];
}

}  // namespace sundial
