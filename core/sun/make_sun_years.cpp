// Writes the sun's year nodes for the years the program carries, as C++
// source: hexadecimal literals, so every value is read back to the bit.
// Run by the build; its output is compiled into the sun's library.
#include <cstdio>

#include "core/sun/sun_year_nodes.h"

int main() {
    using namespace sundial;
    std::printf("// Made by make_sun_years at build time: do not edit.\n");
    std::printf("constexpr CentreSun kCarriedSunYears[%d][%d] = {\n",
                kLastCarriedSunYear - kFirstCarriedSunYear + 1, kSunYearNodes);
    for (int year = kFirstCarriedSunYear; year <= kLastCarriedSunYear; ++year) {
        const auto nodes = WorkOutSunYearNodes(year);
        if (!nodes || nodes->size() != static_cast<std::size_t>(kSunYearNodes)) {
            std::fprintf(stderr, "make_sun_years: the ephemeris gave no year %d\n", year);
            return 1;
        }
        std::printf("    {  // %d\n", year);
        for (const CentreSun& s : *nodes) {
            std::printf("        {%a, %a, %a},\n", s.declinationDeg, s.equationOfTimeMin,
                        s.distanceAu);
        }
        std::printf("    },\n");
    }
    std::printf("};\n");
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
